#include "dialogs/ReportDialogs.h"

#include "dialogs/daily/FrmReportDateClinical.h"
#include "dialogs/monthly/FrmReportMonth.h"
#include "dialogs/monthly/FrmReportMonthBefore.h"
#include "dialogs/monthly/FrmReportYear.h"
#include "shell/Dispatcher.h"

namespace pelmar {
namespace {

template <class Dialog> void showDialog(const std::optional<QString>& reportType)
{
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
};

} // namespace

void registerReportDialogs()
{
    for (const DialogEntry& dialog : kDialogs)
        setDialogOpener(QString::fromLatin1(dialog.name), dialog.show);
}

} // namespace pelmar
