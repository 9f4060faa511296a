#include "platform/engine/Report.h"

#include "platform/engine/Document.h"
#include "platform/engine/Exporters.h"
#include "platform/engine/Format.h"
#include "platform/engine/Foundation.h"
#include "platform/engine/Layout.h"
#include "reporting/ReportPrinter.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace pelmar::engine {

namespace {

ServerDefaults& defaultsSlot() {
    static ServerDefaults d;
    return d;
}

// Kept until the application object goes: a connection's thread cannot be
// wound down after that, so the cache is never left to exit-time destructors.
QHash<QString, std::shared_ptr<SqlConnection>>& connections() {
    static auto* cache = [] {
        qAddPostRoutine([] { closeEngineConnections(); });
        return new QHash<QString, std::shared_ptr<SqlConnection>>;
    }();
    return *cache;
}

std::function<void(Report&)>& printObserver() {
    static std::function<void(Report&)> o;
    return o;
}

QString quoteIdent(const QString& name) {
    QString s = name;
    s.replace('"', QStringLiteral("\"\""));
    return '"' + s + '"';
}

// One connection per distinct log-on, kept for later runs.
SqlConnection& connectionFor(const LogOnInfo& logOn, const QString& templatePath) {
    const ServerDefaults d = serverDefaults();
    ConnectionSettings settings;
    settings.host = logOn.server;
    settings.port = d.port;
    settings.database = d.database;
    settings.user = logOn.userId;
    settings.password = logOn.password;
    const QString key = QStringLiteral("%1\x1f%2\x1f%3\x1f%4\x1f%5")
                            .arg(settings.host)
                            .arg(settings.port)
                            .arg(settings.database, settings.user, settings.password);
    auto& slot = connections()[key];
    if (!slot) {
        auto conn = std::make_shared<SqlConnection>(settings);
        // Like the session's statements, a report's query may take as long as it needs.
        conn->setCommandTimeout(0);
        try {
            conn->open();
        } catch (const Error& e) {
            connections().remove(key);
            throw Error(QStringLiteral(
                            "The report \"%1\" could not log on to the server \"%2\" as \"%3\": %4")
                            .arg(templatePath, logOn.server, logOn.userId, e.description()));
        }
        slot = conn;
    }
    return *slot;
}

} // namespace

void setServerDefaults(const ServerDefaults& defaults) {
    defaultsSlot() = defaults;
}
ServerDefaults serverDefaults() {
    return defaultsSlot();
}
void closeEngineConnections() {
    connections().clear();
}

// ---------------------------------------------------------------- tables

void DatabaseTable::SetLocation(const QString& location) {
    location_ = location;
    owner_->invalidate();
}

void DatabaseTable::SetLogOnInfo(const QString& server, const QString& database,
                                 const QString& userId, const QString& password) {
    logOn_ = {server, database, userId, password};
    loggedOn_ = true;
    owner_->invalidate();
}

QString DatabaseTable::relation() const {
    const QStringList parts = location_.split('.');
    if (parts.size() < 2 || parts.first().trimmed().isEmpty() || parts.last().trimmed().isEmpty())
        throw Error(
            QStringLiteral(
                "The table \"%1\" of the report \"%2\" has the location \"%3\", which names "
                "no database and table (database.owner.table).")
                .arg(def_.alias, owner_->templatePath(), location_));
    return quoteIdent(parts.first().trimmed().toLower()) + '.' +
           quoteIdent(parts.last().trimmed().toLower());
}

// ---------------------------------------------------------------- parameters

void ParameterField::SetCurrentValue(const QVariant& value) {
    const QString text = value.toString().trimmed();
    if (!value.isNull() && !text.isEmpty()) {
        if (def_.type == "date" && !toDate(value).isValid())
            throw Error(
                QStringLiteral(
                    "The parameter \"%1\" of the report \"%2\" takes a date; \"%3\" is not a date "
                    "(write mm/dd/yyyy).")
                    .arg(def_.name, owner_->templatePath(), value.toString()));
        double n;
        if (def_.type == "number" && !toNumber(value, &n))
            throw Error(
                QStringLiteral(
                    "The parameter \"%1\" of the report \"%2\" takes a number; \"%3\" is not a "
                    "number.")
                    .arg(def_.name, owner_->templatePath(), value.toString()));
    }
    value_ = value;
    hasValue_ = true;
    owner_->invalidate();
}

QVariant ParameterField::boundValue() const {
    const bool empty = !hasValue_ || value_.isNull() || value_.toString().trimmed().isEmpty();
    if (def_.type == "date")
        return empty ? QVariant(QMetaType(QMetaType::QDate)) : QVariant(toDate(value_));
    if (def_.type == "number") {
        double n = 0;
        return empty || !toNumber(value_, &n) ? QVariant(QMetaType(QMetaType::Double))
                                              : QVariant(n);
    }
    return hasValue_ && !value_.isNull() ? QVariant(value_.toString())
                                         : QVariant(QMetaType(QMetaType::QString));
}

QString ParameterField::displayText() const {
    if (!hasValue_ || value_.isNull())
        return {};
    if (def_.type == "date") {
        const QDate d = toDate(value_);
        return d.isValid() ? d.toString(QStringLiteral("MM/dd/yyyy")) : value_.toString();
    }
    return formatValue(value_, {});
}

// ---------------------------------------------------------------- report

std::shared_ptr<Report> Report::open(const QString& nativePath, const QString& displayPath) {
    std::shared_ptr<Report> r(new Report);
    r->displayPath_ = displayPath;
    r->nativePath_ = nativePath;
    r->tmpl_ = loadTemplate(nativePath);
    r->loadObjects();
    return r;
}

std::shared_ptr<Report> Report::placeholder(const QString& templatePath) {
    std::shared_ptr<Report> r(new Report);
    r->displayPath_ = templatePath;
    return r;
}

Report::~Report() = default;

void Report::loadObjects() {
    for (const TableDef& t : tmpl_->tables)
        tables_.emplace_back(new DatabaseTable(t, this));
    for (const ParameterDef& p : tmpl_->parameters)
        parameters_.emplace_back(new ParameterField(p, this));
    for (const SubreportDef& s : tmpl_->subreports) {
        std::unique_ptr<Report> sub(new Report);
        sub->displayPath_ = displayPath_ + QStringLiteral(" (subreport ") + s.name + ')';
        sub->nativePath_ = nativePath_;
        sub->tmpl_ = s.body;
        sub->parent_ = this;
        sub->loadObjects();
        subreports_.push_back(std::move(sub));
    }
}

void Report::SetCompanyName(const QString& name) {
    companyName_ = name;
    for (auto& s : subreports_)
        s->companyName_ = name;
    invalidate();
}

QList<DatabaseTable*> Report::GetDatabaseTables() {
    QList<DatabaseTable*> out;
    for (auto& t : tables_)
        out << t.get();
    return out;
}

QList<ParameterField*> Report::GetParameterFields() {
    QList<ParameterField*> out;
    for (auto& p : parameters_)
        out << p.get();
    return out;
}

Report* Report::GetSubreport(const QString& name) {
    if (tmpl_)
        for (int i = 0; i < tmpl_->subreports.size(); ++i)
            if (tmpl_->subreports[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return subreports_[i].get();
    throw Error(QStringLiteral("The report \"%1\" has no subreport named \"%2\"%3.")
                    .arg(displayPath_, name,
                         subreportNames().isEmpty()
                             ? QString()
                             : QStringLiteral(" (it has %1)").arg(subreportNames().join(", "))));
}

QStringList Report::subreportNames() const {
    QStringList names;
    if (tmpl_)
        for (const auto& s : tmpl_->subreports)
            names << s.name;
    return names;
}

void Report::invalidate() {
    document_.reset();
    if (parent_)
        parent_->invalidate();
}

void Report::setDocument(std::shared_ptr<Document> doc) {
    document_ = std::move(doc);
}

QString Report::queryText(QVariantList* boundValues) const {
    if (!tmpl_)
        return {};
    QString body = tmpl_->query;
    // Parameters become bound values; text in quotes and comments is left alone.
    QString sql;
    QStringList used;
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == '\'' || c == '"') {
            const int end = int(body.indexOf(c, i + 1));
            const int stop = end < 0 ? int(body.size()) - 1 : end;
            sql += body.mid(i, stop - i + 1);
            i = stop;
        } else if (c == '-' && i + 1 < body.size() && body[i + 1] == '-') {
            const int end = int(body.indexOf('\n', i));
            const int stop = end < 0 ? int(body.size()) - 1 : end;
            sql += body.mid(i, stop - i + 1);
            i = stop;
        } else if (c == '{' && i + 1 < body.size() && body[i + 1] == '?') {
            const int end = int(body.indexOf('}', i));
            const QString name = body.mid(i + 2, end - i - 2).trimmed();
            int n = -1;
            for (int k = 0; k < used.size(); ++k)
                if (used[k].compare(name, Qt::CaseInsensitive) == 0)
                    n = k;
            if (n < 0) {
                used << name;
                n = int(used.size()) - 1;
                const ParameterField* field = nullptr;
                for (const auto& p : parameters_)
                    if (p->name().compare(name, Qt::CaseInsensitive) == 0)
                        field = p.get();
                if (boundValues)
                    *boundValues << (field ? field->boundValue() : QVariant());
            }
            sql += QStringLiteral("$%1").arg(n + 1);
            i = end;
        } else {
            sql += c;
        }
    }
    // The query names each table by its alias; the alias stands for the bound relation.
    QStringList ctes;
    for (const auto& t : tables_)
        ctes
            << QStringLiteral("%1 AS (SELECT * FROM %2)").arg(quoteIdent(t->name()), t->relation());
    if (ctes.isEmpty())
        return sql;
    static const QRegularExpression withHead(QStringLiteral("^\\s*WITH(\\s+RECURSIVE)?\\s+"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto m = withHead.match(sql);
    if (m.hasMatch())
        return QStringLiteral("WITH%1 %2, %3")
            .arg(m.captured(1), ctes.join(", "), sql.mid(m.capturedEnd()));
    return QStringLiteral("WITH %1 %2").arg(ctes.join(", "), sql);
}

void Report::logOn() {
    for (const auto& t : tables_)
        if (t->isLoggedOn())
            connectionFor(t->logOnInfo(), displayPath_);
}

FilledReport Report::fill() {
    if (!tmpl_)
        throw Error(QStringLiteral("The report \"%1\" has no template to run.").arg(displayPath_));
    FilledReport f;
    f.tmpl = tmpl_;
    f.companyName = companyName_;
    for (const auto& p : parameters_)
        f.parameterTexts.insert(p->name().toLower(), p->displayText());
    if (!tmpl_->query.isEmpty()) {
        // A subreport that was not bound itself reads with its main report's log-on.
        const LogOnInfo* inherited = nullptr;
        if (parent_)
            for (const auto& t : parent_->tables_)
                if (t->isLoggedOn() && !inherited)
                    inherited = &t->logOnInfo();
        const LogOnInfo* first = nullptr;
        for (const auto& t : tables_) {
            const LogOnInfo* info = t->isLoggedOn() ? &t->logOnInfo() : inherited;
            if (!info)
                throw Error(
                    QStringLiteral(
                        "The table \"%1\" of the report \"%2\" is not logged on to a server.")
                        .arg(t->name(), displayPath_));
            if (!first)
                first = info;
            else if (info->server != first->server || info->userId != first->userId ||
                     info->password != first->password)
                throw Error(
                    QStringLiteral(
                        "The tables of the report \"%1\" are logged on to different servers or "
                        "users; one report reads one server.")
                        .arg(displayPath_));
        }
        if (!first)
            throw Error(QStringLiteral("The report \"%1\" has a query but no table to log on with.")
                            .arg(displayPath_));
        QVariantList bound;
        const QString sql = queryText(&bound);
        const LogOnInfo logOn = *first;
        SqlConnection& conn = connectionFor(logOn, displayPath_);
        RecordSet rs;
        try {
            rs = conn.query(sql, bound);
        } catch (const Error& e) {
            throw Error(QStringLiteral("The report \"%1\" could not read its rows: %2")
                            .arg(displayPath_, e.description()));
        }
        f.columns = rs.columns();
        f.rows = std::make_shared<const QList<QVariantList>>(rs.rows());
    } else {
        f.rows = std::make_shared<const QList<QVariantList>>();
    }
    for (int i = 0; i < int(subreports_.size()); ++i) {
        f.subreports << subreports_[i]->fill();
        f.subreportPlacements << tmpl_->subreports[i].placement;
    }
    return f;
}

std::shared_ptr<Document> Report::document() {
    if (!document_ || !document_->complete)
        document_ = layoutAll(fill());
    return document_;
}

void Report::setPrintObserver(std::function<void(Report&)> observer) {
    printObserver() = std::move(observer);
}

static QStringList parameterTexts(Report& r) {
    QStringList out;
    for (ParameterField* p : r.GetParameterFields())
        out << p->displayText();
    return out;
}

void Report::PrintReport(bool prompt, int copies, bool collated, int startPage, int stopPage) {
    QPrinter& printer = reportPrinter();
    // Printing to a file (a PDF) needs no printer; everything else does.
    if (printer.outputFileName().isEmpty()) {
        if (QPrinterInfo::availablePrinters().isEmpty() || printer.printerName().isEmpty())
            throw Error(QStringLiteral(
                            "The report \"%1\" was not printed: no printer is installed. Install a "
                            "printer, choose it under File > Page Setup and print again.")
                            .arg(displayPath_));
    }
    if (prompt) {
        QPrintDialog dialog(&printer);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    auto doc = document();
    printer.setCopyCount(std::max(1, copies));
    printer.setCollateCopies(collated);
    const int from = startPage > 0 ? startPage - 1 : 0;
    const int to = stopPage > 0 ? std::min(stopPage, doc->pageCount()) : doc->pageCount();
    printDocument(*doc, printer, from, to);
    logRun(QStringLiteral("print"), {}, displayPath_, {}, parameterTexts(*this),
           QStringLiteral("%1 pages to %2")
               .arg(to - from)
               .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                       : printer.outputFileName()));
    if (printObserver())
        printObserver()(*this);
}

static int formatFromName(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == "pdf")
        return FormatPdf;
    if (suffix == "xlsx")
        return FormatExcelXlsx;
    if (suffix == "csv")
        return FormatCsv;
    if (suffix == "xls")
        return FormatExcel;
    return FormatNone;
}

void Report::ExportReport(bool prompt) {
    if (!prompt && exportOptions_.isPreset()) {
        if (exportOptions_.exportDestination() != DestinationDisk)
            throw Error(
                QStringLiteral(
                    "The report \"%1\" was not exported: destination %2 is not a disk file.")
                    .arg(displayPath_)
                    .arg(exportOptions_.exportDestination()));
        exportTo(nativePath(exportOptions_.exportFileName()), exportOptions_.exportFormat());
        return;
    }
    QString filter;
    const QString file = QFileDialog::getSaveFileName(
        nullptr, QStringLiteral("Export Report"), exportOptions_.exportFileName(),
        QStringLiteral("PDF (*.pdf);;Excel 97-2003 (*.xls);;Excel (*.xlsx);;CSV (*.csv)"), &filter);
    if (file.isEmpty())
        return;
    int format = formatFromName(file);
    if (format == FormatNone)
        format = filter.startsWith("PDF")   ? FormatPdf
                 : filter.contains("xlsx")  ? FormatExcelXlsx
                 : filter.startsWith("CSV") ? FormatCsv
                                            : FormatExcel;
    exportTo(file, format);
}

void Report::exportTo(const QString& file, int format) {
    auto doc = document();
    switch (format) {
    case FormatExcel:
        writeXls(*doc, file);
        break;
    case FormatExcelXlsx:
        writeXlsx(*doc, file);
        break;
    case FormatPdf:
        writePdf(*doc, file, title());
        break;
    case FormatCsv:
        writeCsv(*doc, file);
        break;
    default:
        throw Error(
            QStringLiteral(
                "The report \"%1\" was not exported: format %2 is not one the program writes "
                "(29 Excel, 31 PDF, 36 Excel 2007, 5 CSV).")
                .arg(displayPath_)
                .arg(format));
    }
    logRun(QStringLiteral("export"), {}, displayPath_, {}, parameterTexts(*this),
           QStringLiteral("format %1 to %2").arg(format).arg(file));
}

std::shared_ptr<Report> Application::OpenTemplate(const QString& path, int) {
    return Report::open(nativePath(path), path);
}

} // namespace pelmar::engine
