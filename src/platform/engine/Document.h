#pragma once
// A laid-out report: pages as compact drawing lists, the outline of group
// values, and the rows the spreadsheet writers export.

#include "platform/engine/Template.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QVariant>
#include <atomic>
#include <memory>
#include <vector>

namespace pelmar::engine {

struct Prim {
    enum Type : quint8 { Text, Line, Box, Image };
    Type type = Text;
    quint8 font = 0;
    quint8 align = AlignLeft;
    bool pageTokens = false;          // text holds {PageNumber} or {PageCount}
    float x = 0, y = 0, w = 0, h = 0; // points from the page's top left; Text: y is the baseline
    float lineWidth = 0.5f;
    quint32 color = 0;     // Box fill as 0xRRGGBB + 1, 0 for none; Image: index
    quint32 textStart = 0; // Text: its characters in the page's text
    quint32 textLength = 0;
};

// A page's texts share one buffer: a cell costs its characters, not an object.
struct Page {
    std::vector<Prim> prims;
    QString text;
};

struct OutlineEntry {
    QString title;
    int level = 0;
    int page = 0;
    float y = 0;
};

struct SheetRow {
    enum Kind : quint8 { Title, Heading, GroupHeader, Detail, GroupFooter, GrandTotal };
    Kind kind = Detail;
    quint8 level = 0;   // group depth, 0 outside any group
    int dataRow = -1;   // Detail: index into the report's rows
    QVariantList cells; // every other kind
};

class Document {
public:
    double pageWidth = 612, pageHeight = 792;
    QList<FontSpec> fonts;
    std::vector<Page> pages;
    QList<OutlineEntry> outline;
    QList<QImage> images;

    // Spreadsheet form.
    QStringList sheetHeadings;
    QStringList sheetFormats;
    QList<double> sheetWidths;
    QList<int> sheetSourceColumns; // record set column of each sheet column, -1 if none
    std::vector<SheetRow> sheetRows;
    std::shared_ptr<const QList<QVariantList>> data;

    std::atomic<bool> complete{false};

    QVariant sheetCell(const SheetRow& row, int column) const {
        if (row.kind == SheetRow::Detail) {
            const int c = sheetSourceColumns.value(column, -1);
            if (c < 0 || !data || row.dataRow < 0)
                return {};
            return (*data)[row.dataRow].value(c);
        }
        return row.cells.value(column);
    }

    int pageCount() const { return int(pages.size()); }
    // The text of a primitive as laid out, page tokens unfilled.
    QStringView textOf(const Prim& p, int pageIndex) const {
        return QStringView(pages[size_t(pageIndex)].text).mid(p.textStart, p.textLength);
    }
    // The text of a primitive with the page tokens filled in.
    QString resolvedText(const Prim& p, int pageIndex) const;
};

} // namespace pelmar::engine
