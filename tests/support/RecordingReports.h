#pragma once
// A recording double of the report routines.  While one exists it replaces
// OpenReport, OpenSubreport, ShowReport and the progress window, records
// every call, and keeps CurrentReport as the real routines would: a
// placeholder report (whose export options a dialog can set) that a direct
// print or a modal viewer releases.

#include "reporting/ReportRoutines.h"

#include <QStringList>
#include <QVariantList>
#include <memory>

namespace pelmar::engine {
class Report;
class ExportOptions;
} // namespace pelmar::engine

namespace pelmar::test {

class RecordingReports : public ReportRoutines {
public:
    struct Opened {
        QString templatePath;
        QString databaseName;
        QVariantList parameterValues;
        std::shared_ptr<engine::Report> report; // the placeholder made CurrentReport
    };
    struct SubreportOpened {
        QString subreportName;
        QString databaseName;
        QVariantList parameterValues;
    };
    struct Shown {
        bool showGroupTree = false;
        QString caption;
        bool directPrint = false;
        bool modal = false;
        QString templatePath; // of CurrentReport when shown
    };

    RecordingReports();
    ~RecordingReports() override;

    void OpenReport(const QString& templatePath, const QString& databaseName,
                    const QVariantList& parameterValues) override;
    void OpenSubreport(const QString& subreportName, const QString& databaseName,
                       const QVariantList& parameterValues) override;
    void ShowReport(bool showGroupTree, const QString& caption, bool directPrint,
                    bool modal) override;
    void OpenProgressWindow() override;
    void CloseProgressWindow() override;

    // Every call in order: "OpenReport", "OpenSubreport", "ShowReport",
    // "OpenProgressWindow", "CloseProgressWindow".
    QStringList calls;
    QList<Opened> opened;
    QList<SubreportOpened> subreports;
    QList<Shown> shown;
    bool progressWindowOpen = false;

    // The export options set on the report of opened[index] (last by default).
    const engine::ExportOptions* exportOptions(int index = -1) const;
    // The next call of this name throws pelmar::Error with this description.
    void failNext(const QString& call, const QString& description);
    void clear();

private:
    void maybeFail(const QString& call);
    QString failCall_;
    QString failDescription_;
};

} // namespace pelmar::test
