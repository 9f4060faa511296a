#include "shell/Workspace.h"

#include <QMdiArea>
#include <QPointer>

namespace pelmar {
namespace {
QPointer<QMdiArea> g_workspace;
}

QMdiArea* mainWorkspace() {
    return g_workspace;
}

void setMainWorkspace(QMdiArea* area) {
    g_workspace = area;
}

} // namespace pelmar
