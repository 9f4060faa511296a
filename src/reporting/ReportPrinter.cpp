#include "reporting/ReportPrinter.h"

#include <QPrinter>

namespace pelmar {

QPrinter& reportPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

} // namespace pelmar
