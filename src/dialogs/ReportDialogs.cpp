#include "dialogs/ReportDialogs.h"

#include "dialogs/billing/FrmAccountStatusReport.h"
#include "dialogs/billing/FrmAging.h"
#include "dialogs/billing/FrmAgingClass.h"
#include "dialogs/billing/FrmReportPeriod.h"
#include "dialogs/daily/FrmReportDateClinical.h"
#include "dialogs/monthly/FrmReportMonth.h"
#include "dialogs/monthly/FrmReportMonthBefore.h"
#include "dialogs/monthly/FrmReportMonthMiscellaneous.h"
#include "dialogs/monthly/FrmReportYear.h"
#include "lookup/FrmMiscellaneous.h"
#include "shell/Dispatcher.h"

namespace pelmar {
namespace {

template <class Dialog> void showDialog(const std::optional<QString>& reportType) {
    ReportDialog::open<Dialog>(reportType);
}

struct DialogEntry {
    const char* name;
    ShowDialog show;
};

// The dialogs by the names the menu uses.
const DialogEntry kDialogs[] = {
    {"frmReportDateClinical", &showDialog<FrmReportDateClinical>},
    {"frmReportMonth", &showDialog<FrmReportMonth>},
    {"frmReportMonthBefore", &showDialog<FrmReportMonthBefore>},
    {"frmReportYearClinical", &showDialog<FrmReportYearClinical>},
    {"frmReportYearOthers", &showDialog<FrmReportYearOthers>},
    {"frmReportMonthMiscellaneous", &showDialog<FrmReportMonthMiscellaneous>},
    {"frmAccountStatusReport", &showDialog<FrmAccountStatusReport>},
    {"frmAging", &showDialog<FrmAging>},
    {"frmAgingClass", &showDialog<FrmAgingClass>},
    {"frmReportPeriod", &showDialog<FrmReportPeriod>},
    {"frmReportPeriodOthers", &showDialog<FrmReportPeriodOthers>},
    {"frmMiscellaneous", &showDialog<FrmMiscellaneous>},
};

} // namespace

void registerReportDialogs() {
    for (const DialogEntry& dialog : kDialogs)
        setDialogOpener(QString::fromLatin1(dialog.name), dialog.show);
}

} // namespace pelmar
