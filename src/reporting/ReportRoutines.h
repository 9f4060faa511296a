#pragma once
// Opening, binding and showing reports.  Dialogs call the free functions;
// tests replace the routines behind them with a recording double.

#include <QString>
#include <QVariantList>
#include <functional>
#include <utility>

namespace pelmar {

class ReportRoutines {
public:
    virtual ~ReportRoutines() = default;
    virtual void OpenReport(const QString& templatePath, const QString& databaseName,
                            const QVariantList& parameterValues) = 0;
    virtual void OpenSubreport(const QString& subreportName, const QString& databaseName,
                               const QVariantList& parameterValues) = 0;
    virtual void ShowReport(bool showGroupTree, const QString& caption, bool directPrint,
                            bool modal) = 0;
    virtual void OpenProgressWindow() = 0;
    virtual void CloseProgressWindow() = 0;
};

// The routines in use; setReportRoutines(nullptr) restores the real ones.
ReportRoutines& reportRoutines();
void setReportRoutines(ReportRoutines* routines);

// Opens a template (ReportsFolder & "\Name.rpt"), points every table at
// databaseName with the signed-in user's log-on and gives the parameter
// fields their values by position.  The report becomes CurrentReport.
void OpenReport(const QString& templatePath, const QString& databaseName,
                const QVariantList& parameterValues);
// Binds the named subreport of CurrentReport in place.
void OpenSubreport(const QString& subreportName, const QString& databaseName,
                   const QVariantList& parameterValues);
// Prints CurrentReport, or shows it in a child or a modal viewer.
void ShowReport(bool showGroupTree, const QString& caption, bool directPrint, bool modal);
void OpenProgressWindow();
void CloseProgressWindow();

// Keeps the progress window up for some work and takes it down however the
// work ends, so a failure never leaves it on screen.  close() takes it down
// early, where the caller shows its report after it.
class ProgressShown {
public:
    explicit ProgressShown(bool show = true)
        : open_(show) {
        if (open_)
            OpenProgressWindow();
    }
    ~ProgressShown() { close(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;
    void close() {
        if (std::exchange(open_, false))
            CloseProgressWindow();
    }

private:
    bool open_;
};

// The values a report logs on with: the signed-in user's, unless replaced.
struct LogOnValues {
    QString server;
    int port = 5432;
    QString database; // the PostgreSQL database holding the schemas
    QString userId;
    QString password;
};
void setLogOnSource(std::function<LogOnValues()> source);
LogOnValues currentLogOnValues();

// The real routines, for doubles that wrap them.
class EngineReportRoutines : public ReportRoutines {
public:
    void OpenReport(const QString& templatePath, const QString& databaseName,
                    const QVariantList& parameterValues) override;
    void OpenSubreport(const QString& subreportName, const QString& databaseName,
                       const QVariantList& parameterValues) override;
    void ShowReport(bool showGroupTree, const QString& caption, bool directPrint,
                    bool modal) override;
    void OpenProgressWindow() override;
    void CloseProgressWindow() override;
};

} // namespace pelmar
