#include "shell/Dispatcher.h"

#include "platform/Error.h"

#include <QHash>
#include <algorithm>

namespace pelmar {
namespace {

// The menu, one row per button.  A dialog registers its opener under its
// name once it is part of the program; until then its button is disabled.
const MenuEntry kMenu[] = {
    {0, 0, "Daily Summary Of Discharges", "frmReportDateOthers", "0"},
    {0, 1, "Daily Income Report", "frmReportPeriod", "10"},
    {0, 2, "Daily Summary Of Services", "frmReportDateOthers", "2"},
    {0, 3, "Admission Logbook", "frmReportDateOthers", "3"},
    {0, 4, "OPD Registration Logbook", "frmReportDateOthers", "4"},
    {0, 5, "Daily Transactions Audit Trail", "frmAuditTrail", nullptr},
    {0, 6, "Adjustments Report", "frmReportPeriod", "6"},
    {0, 7, "Payment Summary Report", "frmReportDateOthers", "7"},
    {0, 8, "Cash Collection Report", "frmReportDate", "Cash Collection Report"},

    {1, 0, "Laboratory Examination Logbook", "frmReportDateClinical", "0"},
    {1, 1, "X-Ray Examination Logbook", "frmReportDateClinical", "1"},
    {1, 2, "Ultrasound Examination Logbook", "frmReportDateClinical", "2"},
    {1, 3, "CT Scan Examination Logbook", "frmReportDateClinical", "3"},

    {2, 0, "Patient's Account Status Report", "frmAccountStatusReport", nullptr},
    {2, 1, "Aging Analysis - Detail Report", "frmAging", "1"},
    {2, 2, "Aging Analysis - Summary", "frmAging", "2"},
    {2, 3, "Payable Aging Analysis - Detail", "frmReportPeriod", "3"},
    {2, 4, "Payable Aging Analysis - Summary", "frmReportPeriod", "4"},
    {2, 5, "Monthly Summary of Audit Trail", "frmAuditTrailMonthly", nullptr},
    {2, 6, "Monthly Apparatus Report", "frmReportMonthBefore", "6"},
    {2, 7, "Monthly Miscellaneous Report", "frmReportMonthMiscellaneous", "M"},
    {2, 8, "Aging Analysis - Summary(CLASS)", "frmAgingClass", nullptr},
    {2, 9, "Aging Computation w/ Income Interest", "frmAging", "9"},

    {3, 0, "Monthly Laboratory Report", "frmReportMonth", "0"},
    {3, 1, "Monthly XRay Report", "frmReportMonth", "1"},
    {3, 2, "Monthly Ultrasound Report", "frmReportMonth", "2"},
    {3, 3, "Monthly Operating Room Report", "frmReportMonth", "3"},
    {3, 4, "Monthly Physical Therapy Report", "frmReportMonth", "4"},
    {3, 5, "Monthly RTS Report", "frmReportMonth", "5"},
    {3, 6, "Monthly CT Scan Report", "frmReportMonth", "6"},
    {3, 7, "Monthly Delivery Room Report", "frmReportMonth", "7"},
    {3, 8, "Monthly Package Deal Report", "frmReportMonth", "8"},

    {4, 0, "List of Admissions", "frmReportPeriodOthers", "0"},
    {4, 1, "Senior Citizen Income Report", "frmReportPeriodOthers", "1"},

    {5, 0, "Year End Apparatus Report", "frmReportYearOthers", "0"},
    {5, 1, "Year End Miscellaneous Report", "frmReportMonthMiscellaneous", "Y"},

    {6, 0, "Year End Laboratory Report", "frmReportYearClinical", "0"},
    {6, 1, "Year End X Ray  Report", "frmReportYearClinical", "1"},
    {6, 2, "Year End Ultrasound Report", "frmReportYearClinical", "2"},
    {6, 3, "Year End Operating Room  Report", "frmReportYearClinical", "3"},
    {6, 4, "Year End Physical Therapy Report", "frmReportYearClinical", "4"},
    {6, 5, "Year End RTS  Report", "frmReportYearClinical", "5"},
    {6, 6, "Year End CT Scan  Report", "frmReportYearClinical", "6"},
    {6, 7, "Year End Delivery Room  Report", "frmReportYearClinical", "7"},

    {7, 0, "Miscellaneous Reports", "frmMiscellaneous", nullptr},
    {7, 1, "Quarterly Summary of Sales Report", "frmReportPeriodOthers", "2"},
};

QHash<QString, ShowDialog>& registeredOpeners() {
    static QHash<QString, ShowDialog> openers;
    return openers;
}

} // namespace

std::span<const MenuEntry> menuEntries() {
    return kMenu;
}

const MenuEntry* findMenuEntry(int category, int item) {
    const auto found = std::find_if(std::begin(kMenu), std::end(kMenu), [&](const MenuEntry& e) {
        return e.category == category && e.item == item;
    });
    return found == std::end(kMenu) ? nullptr : found;
}

ShowDialog dialogOpener(const MenuEntry& entry) {
    return registeredOpeners().value(QString::fromLatin1(entry.dialog));
}

bool menuItemAvailable(int category, int item) {
    const MenuEntry* entry = findMenuEntry(category, item);
    return entry && dialogOpener(*entry);
}

void setDialogOpener(const QString& dialogName, ShowDialog show) {
    if (show)
        registeredOpeners().insert(dialogName, show);
    else
        registeredOpeners().remove(dialogName);
}

void OpenMenuItem(int category, int item) {
    const MenuEntry* entry = findMenuEntry(category, item);
    if (!entry)
        throw Error(QStringLiteral("There is no report for menu item %1 of category %2.")
                        .arg(item)
                        .arg(category));
    const ShowDialog show = dialogOpener(*entry);
    if (!show)
        throw Error(QStringLiteral("The report \"%1\" is not available in this version.")
                        .arg(QString::fromLatin1(entry->caption)));
    std::optional<QString> reportType;
    if (entry->reportType)
        reportType = QString::fromLatin1(entry->reportType);
    show(reportType);
}

} // namespace pelmar
