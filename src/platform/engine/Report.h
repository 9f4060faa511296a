#pragma once
// The report engine's objects: an application that opens templates, the
// report with its tables, parameter fields, subreports and export options.

#include "platform/engine/Template.h"

#include <QHash>
#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>

namespace pelmar::engine {

class Document;
class Report;

// Export formats and destinations.  29 is the Excel 97-2003 spreadsheet.
enum ExportFormat {
    FormatNone = 0,
    FormatCsv = 5,
    FormatExcel = 29,
    FormatPdf = 31,
    FormatExcelXlsx = 36
};
enum ExportDestination { DestinationNone = 0, DestinationDisk = 1 };

struct LogOnInfo {
    QString server;
    QString database;
    QString userId;
    QString password;
    bool operator==(const LogOnInfo&) const = default;
};

class DatabaseTable {
public:
    QString name() const { return def_.alias; }
    QString GetLocation() const { return location_; }
    void SetLocation(const QString& location);
    void SetLogOnInfo(const QString& server, const QString& database, const QString& userId,
                      const QString& password);
    const LogOnInfo& logOnInfo() const { return logOn_; }
    bool isLoggedOn() const { return loggedOn_; }
    // The PostgreSQL relation the location names: "schema"."table".
    QString relation() const;

private:
    friend class Report;
    DatabaseTable(TableDef def, Report* owner)
        : def_(std::move(def))
        , location_(def_.location)
        , owner_(owner) {}
    TableDef def_;
    QString location_;
    LogOnInfo logOn_;
    bool loggedOn_ = false;
    Report* owner_;
};

class ParameterField {
public:
    QString name() const { return def_.name; }
    QString type() const { return def_.type; }
    // Throws pelmar::Error when the value does not suit the field's type.
    void SetCurrentValue(const QVariant& value);
    bool hasCurrentValue() const { return hasValue_; }
    QVariant currentValue() const { return value_; }
    // The value bound into the query: a date for date fields, a number for number fields.
    QVariant boundValue() const;
    QString displayText() const;

private:
    friend class Report;
    ParameterField(ParameterDef def, Report* owner)
        : def_(std::move(def))
        , owner_(owner) {}
    ParameterDef def_;
    QVariant value_;
    bool hasValue_ = false;
    Report* owner_;
};

class ExportOptions {
public:
    void SetExportFileName(const QString& fileName) { fileName_ = fileName; }
    void SetExportDestination(int destination) { destination_ = destination; }
    void SetExportFormat(int format) { format_ = format; }
    QString exportFileName() const { return fileName_; }
    int exportDestination() const { return destination_; }
    int exportFormat() const { return format_; }
    bool isPreset() const {
        return !fileName_.isEmpty() && destination_ != DestinationNone && format_ != FormatNone;
    }

private:
    QString fileName_;
    int destination_ = DestinationNone;
    int format_ = FormatNone;
};

// Where the engine finds the server's port and database for a log-on.  Set
// from the signed-in session; a log-on names the server, schema and user.
struct ServerDefaults {
    int port = 5432;
    QString database;
};
void setServerDefaults(const ServerDefaults& defaults);
ServerDefaults serverDefaults();
// Drops the cached connections (tests, sign-out).
void closeEngineConnections();

// What one run of a report reads: its rows and column names.
struct FilledReport {
    std::shared_ptr<Template> tmpl;
    QStringList columns;
    std::shared_ptr<const QList<QVariantList>> rows;
    QHash<QString, QString> parameterTexts; // lower-case name -> text shown
    QString companyName;
    QList<FilledReport> subreports; // in template order
    QStringList subreportPlacements;
};

class Report : public std::enable_shared_from_this<Report> {
public:
    // Opens a template file (a native path).  Throws pelmar::Error.
    static std::shared_ptr<Report> open(const QString& nativePath, const QString& displayPath);
    // A report with no template behind it, for recording doubles.
    static std::shared_ptr<Report> placeholder(const QString& templatePath);
    ~Report();

    QString templatePath() const { return displayPath_; }
    QString title() const { return tmpl_ ? tmpl_->title : QString(); }
    std::shared_ptr<Template> templ() const { return tmpl_; }

    void SetCompanyName(const QString& name);
    QString companyName() const { return companyName_; }
    QList<DatabaseTable*> GetDatabaseTables();
    QList<ParameterField*> GetParameterFields();
    // Throws pelmar::Error naming the subreport and the template when missing.
    Report* GetSubreport(const QString& name);
    QStringList subreportNames() const;
    bool isSubreport() const { return parent_ != nullptr; }

    // Prints to reportPrinter() at once; prompt true shows the print dialog.
    void PrintReport(bool prompt = false, int copies = 1, bool collated = true, int startPage = 0,
                     int stopPage = 0);
    ExportOptions& GetExportOptions() { return exportOptions_; }
    // Exports with the preset options; without them (or with prompt) asks for a file.
    void ExportReport(bool prompt = false);
    // Writes the report to a file in one of the export formats.
    void exportTo(const QString& nativeFile, int format);

    // Logs on to the server of every bound table now (connections are kept),
    // so a refused log-on shows when the report is opened.  Throws pelmar::Error.
    void logOn();
    // Reads the rows (runs the query) for this report and its subreports.
    FilledReport fill();
    // Fills and lays out every page; cached until a binding changes.
    std::shared_ptr<Document> document();
    void setDocument(std::shared_ptr<Document> doc);
    void invalidate();

    // The SQL text and bound values the query runs with (tables substituted).
    QString queryText(QVariantList* boundValues) const;

    // Seen by tests: what printing and exporting did.
    static void setPrintObserver(std::function<void(Report&)> observer);

private:
    Report() = default;
    void loadObjects();

    QString displayPath_;
    QString nativePath_;
    std::shared_ptr<Template> tmpl_;
    QString companyName_;
    std::vector<std::unique_ptr<DatabaseTable>> tables_;
    std::vector<std::unique_ptr<ParameterField>> parameters_;
    std::vector<std::unique_ptr<Report>> subreports_;
    Report* parent_ = nullptr;
    ExportOptions exportOptions_;
    std::shared_ptr<Document> document_;
};

// The engine's application object: opens templates.
class Application {
public:
    // openMode 1 opens a copy of the template for this run; every mode does.
    std::shared_ptr<Report> OpenTemplate(const QString& path, int openMode = 1);
};

} // namespace pelmar::engine
