#pragma once

class QMdiArea;

namespace pelmar {

// The main window's area for child windows (the menu panel, report viewers).
QMdiArea* mainWorkspace();
void setMainWorkspace(QMdiArea* area);

} // namespace pelmar
