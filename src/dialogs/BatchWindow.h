#pragma once

#include "dialogs/ReportDialog.h"

#include <QDate>
#include <QList>
#include <functional>

class QCheckBox;
class QDateEdit;
class QPushButton;

namespace pelmar {

// The batch windows (end of day, end of month, year end): a date, a box per
// report, Select All, View / Print and Close.  A run takes the ticked boxes
// in the window's own order and stops at the first failure, which is shown
// while the window stays open with its ticks for another try.  Each window
// is one table of boxes and rows.
class BatchWindow : public ReportDialog {
    Q_OBJECT

public:
    // What one run knows: the picked date and whether Print was pressed.
    struct BatchRun {
        QDate picked;
        bool directPrint = false;
    };
    struct Box {
        QString caption;
        bool enabled = true;
    };
    struct Row {
        int box;
        std::function<void(const BatchRun&)> run; // empty: the box runs nothing
    };
    enum class PickerStart { ServerDate, MonthOfServerDate };
    struct Design {
        QString objectName;
        QString caption;
        QString banner;
        QString prompt;
        QString pickerName;
        QString displayFormat;
        PickerStart pickerStart = PickerStart::ServerDate;
        QList<Box> boxes;          // by index
        QList<QList<int>> columns; // box indexes per column, top to bottom
        QList<Row> rows;           // in run order
    };

    // The number of ticked boxes as counted by their clicks.
    qint16 TickedCount() const { return tickedCount_; }

    QCheckBox* box(int index) const { return boxes_.value(index); }
    int boxCount() const { return int(boxes_.size()); }
    QDateEdit* picker() const { return picker_; }
    QPushButton* selectAllButton() const { return selectAll_; }
    // index 0 "&Print", index 1 "&View"
    QPushButton* runButton(int index) const { return index == 0 ? print_ : view_; }
    QPushButton* closeButton() const { return close_; }

    void cmdSelectAll_Click();
    // index 0 prints, index 1 shows.  A run that ends closes the window.
    void cmdOK_Click(int index);

protected:
    explicit BatchWindow(Design design, QWidget* parent = nullptr);
    void loadForm() override;

private:
    void chkOption_Click(int index, bool ticked);

    Design design_;
    QList<QCheckBox*> boxes_;
    QDateEdit* picker_;
    QPushButton* selectAll_;
    QPushButton* view_;
    QPushButton* print_;
    QPushButton* close_;
    qint16 tickedCount_ = 0;
};

} // namespace pelmar
