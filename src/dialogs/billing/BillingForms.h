#pragma once

#include "platform/Hourglass.h"

#include <QString>

class QDate;
class QDateEdit;
class QLabel;
class QWidget;

namespace pelmar {

// A message box with the text, an OK button, no icon and the program's title.
void showMessage(QWidget* parent, const QString& text);

// The period check of the period dialogs against the workstation's date:
// says "Invalid Report Period..." and returns false when the period runs
// backwards or ends after today.
bool acceptPeriod(QWidget* parent, const QDate& start, const QDate& end);

// A date picker showing "MM/dd/yyyy" with a calendar, named for tests.
QDateEdit* makeDatePicker(const QString& objectName, const QString& accessibleName,
                          QWidget* parent);

// The blue title band of the billing windows: a title over its shadow.
QWidget* makeTitleBand(const QString& title, QWidget* parent);

} // namespace pelmar
