#pragma once
// The parsed form of a report template (*.rpt, XML; see REPORTS/FORMAT.md).

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

namespace pelmar::engine {

struct FontSpec {
    QString family = QStringLiteral("Liberation Sans");
    double size = 9;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec&) const = default;
};

enum class ElementKind {
    Text,
    Field,
    Total,
    RunningTotal,
    Line,
    Box,
    Picture,
    PageNumber,
    PageCount,
    CompanyName,
    Parameter
};

enum Align : int { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };

// Every measure is in points from the section's top left corner.
struct Element {
    ElementKind kind = ElementKind::Text;
    double x = 0, y = 0, w = 0, h = 0;
    QString text;   // Text: literal with {tokens}
    QString field;  // Field, Total, RunningTotal: column; Parameter: name; Picture: file
    QString format; // number or date format
    QString func;   // sum, count, avg, min, max
    QString scope;  // Total: group field, or empty for the whole report
                    // RunningTotal: the group field that resets it, or empty
    int align = AlignLeft;
    int font = 0; // index into Template::fonts
    double lineWidth = 0.5;
    QString fill;         // Box: fill colour, empty for none
    int sheetColumn = -1; // the spreadsheet column this element feeds
    int line = 0;
};

enum class SectionKind {
    ReportHeader,
    PageHeader,
    GroupHeader,
    Detail,
    GroupFooter,
    ReportFooter,
    PageFooter
};

struct Section {
    SectionKind kind = SectionKind::Detail;
    double height = 0;
    QList<Element> elements;
    bool present = false;
    bool operator==(const Section&) const = default;
};

struct Column {
    QString field;
    QString heading;
    QString format;
    QString total; // empty, or sum/count/avg/min/max
    double width = 0;
    int align = AlignLeft;
    bool alignGiven = false;
};

struct Group {
    QString field;
    QString heading;
    bool footerTotals = true;
    bool keepTogether = true;
    bool newPage = false;
    Section header;
    Section footer;
};

struct TableDef {
    QString alias;
    QString location;
    int line = 0;
};

struct ParameterDef {
    QString name;
    QString type = QStringLiteral("text"); // text, date, number
    int line = 0;
};

struct Template;

struct SubreportDef {
    QString name;
    QString placement = QStringLiteral("footer"); // header or footer
    std::shared_ptr<Template> body;
};

struct Template {
    QString path;
    QString title;
    double pageWidth = 612, pageHeight = 792; // Letter, points
    double marginLeft = 36, marginRight = 36, marginTop = 36, marginBottom = 36;
    QList<FontSpec> fonts;
    QList<TableDef> tables;
    QList<ParameterDef> parameters;
    QString query;
    int queryLine = 0;
    Section reportHeader, pageHeader, detail, reportFooter, pageFooter;
    QList<Group> groups;
    QList<Column> columns; // the compact tabular form, when given
    QList<SubreportDef> subreports;
    // Spreadsheet columns: heading, format (filled by the loader).
    QStringList sheetHeadings;
    QStringList sheetFormats;
    QStringList sheetFields;
    QList<double> sheetWidths;

    double contentWidth() const { return pageWidth - marginLeft - marginRight; }
    int fontIndex(const FontSpec& f);
};

// Loads and checks a template.  Throws pelmar::Error naming the file, the
// line and the fault.  The path is native already.
std::shared_ptr<Template> loadTemplate(const QString& nativeFilePath);
std::shared_ptr<Template> parseTemplate(const QByteArray& xml, const QString& displayPath);

} // namespace pelmar::engine
