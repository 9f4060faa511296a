#pragma once

#include <QString>
#include <optional>
#include <span>

namespace pelmar {

// Shows the single instance of one report dialog, after setting its
// ReportType when there is one.  Throws pelmar::Error when the dialog
// cannot load.
using ShowDialog = void (*)(const std::optional<QString>& reportType);

// One button of the menu panel and the dialog it opens.
struct MenuEntry {
    int category;           // the menu category, 0 to 7
    int item;               // the button's index within its category
    const char* caption;    // the button's caption
    const char* dialog;     // the dialog's name, e.g. "frmReportMonth"
    const char* reportType; // the ReportType to set, or nullptr for none
};

// Every menu button, ordered by category and item.
std::span<const MenuEntry> menuEntries();
// The entry of one button, or nullptr.
const MenuEntry* findMenuEntry(int category, int item);

// What shows the entry's dialog: the opener registered for its dialog name;
// nullptr when the dialog does not exist yet.
ShowDialog dialogOpener(const MenuEntry& entry);
bool menuItemAvailable(int category, int item);

// Registers (or with nullptr removes) the opener of a dialog by its name,
// for dialogs that come with their own unit and for tests.
void setDialogOpener(const QString& dialogName, ShowDialog show);

// Opens the dialog of a menu button with its ReportType.  Throws
// pelmar::Error for a button without a dialog and when the dialog's load
// fails; the caller reports it.
void OpenMenuItem(int category, int item);

} // namespace pelmar
