#include "dialogs/ReportDialogs.h"

#include "dialogs/billing/FrmAccountStatusReport.h"
#include "dialogs/billing/FrmAging.h"
#include "dialogs/billing/FrmAgingClass.h"
#include "dialogs/billing/FrmReportPeriod.h"
#include "dialogs/daily/FrmAuditTrail.h"
#include "dialogs/daily/FrmEndOfDay.h"
#include "dialogs/daily/FrmReportDate.h"
#include "dialogs/daily/FrmReportDateClinical.h"
#include "dialogs/daily/FrmReportDateOthers.h"
#include "dialogs/monthly/FrmReportAfterEOM.h"
#include "dialogs/monthly/FrmReportBeforeEOM.h"
#include "dialogs/monthly/FrmReportMonth.h"
#include "dialogs/monthly/FrmReportMonthBefore.h"
#include "dialogs/monthly/FrmReportMonthMiscellaneous.h"
#include "dialogs/monthly/FrmReportYear.h"
#include "dialogs/monthly/FrmReportYearEnd.h"
#include "lookup/FrmMiscellaneous.h"
#include "platform/Error.h"
#include "shell/Dispatcher.h"
#include "shell/MdiReportForm.h"

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
    {"frmReportDateOthers", &showDialog<FrmReportDateOthers>},
    {"frmReportDate", &showDialog<FrmReportDate>},
    {"frmAuditTrail", &showDialog<FrmAuditTrail>},
    {"frmAuditTrailMonthly", &showDialog<FrmAuditTrailMonthly>},
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

// The batch windows open from the main window's toolbar; a failed load is
// shown there and the program goes on.
template <class Window> MdiReportForm::WindowOpener batchOpener() {
    return [](QWidget* mainWindow) {
        try {
            ReportDialog::open<Window>();
        } catch (const Error& error) {
            ReportDialog::showFailure(mainWindow, error.description());
        } catch (const std::exception& error) {
            ReportDialog::showFailure(mainWindow, QString::fromUtf8(error.what()));
        }
    };
}

} // namespace

void registerReportDialogs() {
    for (const DialogEntry& dialog : kDialogs)
        setDialogOpener(QString::fromLatin1(dialog.name), dialog.show);
    MdiReportForm::setWindowOpener(QStringLiteral("EndOfDay"), batchOpener<FrmEndOfDay>());
    MdiReportForm::setWindowOpener(QStringLiteral("BeforeEOM"), batchOpener<FrmReportBeforeEOM>());
    MdiReportForm::setWindowOpener(QStringLiteral("AfterEOM"), batchOpener<FrmReportAfterEOM>());
    MdiReportForm::setWindowOpener(QStringLiteral("EndOfYear"), batchOpener<FrmReportYearEnd>());
}

} // namespace pelmar
