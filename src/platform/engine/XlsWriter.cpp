// Excel 97-2003 workbooks: our own BIFF8 records in the compound-file
// container that libgsf writes.  The report's rows become rows, one column
// per report column, numbers as numbers and dates as dates.
// glib's headers come before Qt's: Qt's keyword macros clash with them.
#include "platform/Error.h"
#include "platform/engine/Document.h"
#include "platform/engine/Exporters.h"
#include "platform/engine/Format.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <functional>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

namespace pelmar::engine {

namespace {

class Biff {
public:
    QByteArray data;

    void record(quint16 id, const QByteArray& body) {
        u16(id);
        u16(quint16(body.size()));
        data += body;
    }

    void u16(quint16 v) {
        char b[2] = {char(v & 0xFF), char(v >> 8)};
        data.append(b, 2);
    }

    static void put16(QByteArray& a, quint16 v) {
        char b[2] = {char(v & 0xFF), char(v >> 8)};
        a.append(b, 2);
    }
    static void put32(QByteArray& a, quint32 v) {
        char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
        a.append(b, 4);
    }
    static bool latin1Only(QStringView s) {
        for (QChar c : s)
            if (c.unicode() > 0xFF)
                return false;
        return true;
    }
    // Characters after their flag byte: compressed (8-bit) when every character allows.
    static void putChars(QByteArray& a, QStringView s) {
        if (latin1Only(s)) {
            a += char(0);
            for (QChar c : s)
                a += char(c.unicode());
        } else {
            a += char(1);
            for (QChar c : s)
                put16(a, c.unicode());
        }
    }
    static QByteArray shortString(QStringView s) // 8-bit length
    {
        QByteArray a;
        a += char(std::min<qsizetype>(s.size(), 255));
        putChars(a, s.left(255));
        return a;
    }
    static QByteArray longString(QStringView s) // 16-bit length
    {
        QByteArray a;
        put16(a, quint16(s.size()));
        putChars(a, s);
        return a;
    }
};

QByteArray bof(quint16 type) {
    QByteArray b;
    Biff::put16(b, 0x0600);
    Biff::put16(b, type);
    Biff::put16(b, 0x0DBB);
    Biff::put16(b, 0x07CC);
    Biff::put32(b, 0);
    Biff::put32(b, 0x06);
    return b;
}

QByteArray font(bool bold) {
    QByteArray b;
    Biff::put16(b, 200); // 10 points in twips
    Biff::put16(b, 0);
    Biff::put16(b, 0x7FFF); // automatic colour
    Biff::put16(b, bold ? 700 : 400);
    Biff::put16(b, 0);
    b += char(0);
    b += char(0);
    b += char(0);
    b += char(0);
    return b + Biff::shortString(u"Arial");
}

QByteArray xf(quint16 fontIndex, quint16 formatIndex, bool style, int align) {
    QByteArray b;
    Biff::put16(b, fontIndex);
    Biff::put16(b, formatIndex);
    Biff::put16(b, style ? 0xFFF5 : 0x0001);
    b += char(0x20 | (align & 7)); // bottom, horizontal alignment
    b += char(0);
    b += char(0);
    b += char(style ? 0 : 0xF8);
    Biff::put32(b, 0);
    Biff::put32(b, 0);
    Biff::put16(b, 0x20C0);
    return b;
}

double excelDate(const QDate& d) {
    return double(QDate(1899, 12, 30).daysTo(d));
}

double excelDateTime(const QDateTime& dt) {
    return excelDate(dt.date()) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

QString excelFormat(const QString& f) {
    // Templates write minutes as nn; Excel reads mm after hours as minutes.
    QString s = f;
    s.replace(QStringLiteral("nn"), QStringLiteral("mm"));
    return s;
}

} // namespace

void writeXls(const Document& doc, const QString& fileName) {
    const int nCols = std::max<int>(1, int(doc.sheetHeadings.size()));
    // Number formats: 164 and up are ours.
    QStringList customFormats;
    auto formatIndex = [&](const QString& f) -> quint16 {
        if (f.isEmpty())
            return 0;
        int i = int(customFormats.indexOf(f));
        if (i < 0) {
            customFormats << f;
            i = int(customFormats.size()) - 1;
        }
        return quint16(164 + i);
    };
    const quint16 dateFormat = formatIndex(QStringLiteral("mm/dd/yyyy"));
    const quint16 dateTimeFormat = formatIndex(QStringLiteral("mm/dd/yyyy hh:mm"));
    // Cell styles: 15 General, 16 bold, 17 date, 18 date and time, then per column plain and bold.
    QList<QByteArray> xfs;
    for (int i = 0; i < 15; ++i)
        xfs << xf(0, 0, true, 0);
    xfs << xf(0, 0, false, 0) << xf(5, 0, false, 0) << xf(0, dateFormat, false, 0)
        << xf(0, dateTimeFormat, false, 0);
    const quint16 xfGeneral = 15, xfBold = 16, xfDate = 17, xfDateTime = 18;
    QList<quint16> colXf, colBoldXf;
    QList<bool> colNumeric, colDate;
    for (int c = 0; c < nCols; ++c) {
        const QString f = excelFormat(doc.sheetFormats.value(c));
        const bool numeric = !f.isEmpty() && isNumberFormat(f);
        const bool date = !f.isEmpty() && isDateFormat(f);
        colNumeric << numeric;
        colDate << date;
        const quint16 fi = formatIndex(f);
        const int align = numeric ? 3 : 0;
        colXf << quint16(xfs.size());
        xfs << xf(0, fi, false, align);
        colBoldXf << quint16(xfs.size());
        xfs << xf(5, fi, false, align);
    }

    // Column widths from the headings and the first rows.
    QList<int> widths(nCols, 8);
    const size_t sample = std::min<size_t>(doc.sheetRows.size(), 3000);
    for (size_t r = 0; r < sample; ++r) {
        const SheetRow& row = doc.sheetRows[r];
        if (row.kind == SheetRow::Title || row.kind == SheetRow::GroupHeader)
            continue;
        for (int c = 0; c < nCols; ++c) {
            const QVariant v = doc.sheetCell(row, c);
            if (!v.isNull())
                widths[c] =
                    std::max(widths[c], int(formatValue(v, doc.sheetFormats.value(c)).size()) + 2);
        }
    }
    for (int& w : widths)
        w = std::min(w, 60);

    // Sheets: 65,536 rows each; the heading row starts every further sheet.
    const SheetRow* heading = nullptr;
    for (const SheetRow& r : doc.sheetRows)
        if (r.kind == SheetRow::Heading) {
            heading = &r;
            break;
        }
    struct Plan {
        size_t first = 0, count = 0;
        bool repeatHeading = false;
        quint32 size = 0;
    };
    QList<Plan> plans;
    {
        size_t next = 0;
        const size_t total = doc.sheetRows.size();
        do {
            Plan p;
            p.repeatHeading = !plans.isEmpty() && heading;
            p.first = next;
            p.count = std::min(total - next, size_t(kXlsRowsPerSheet) - (p.repeatHeading ? 1 : 0));
            next += p.count;
            plans << p;
        } while (next < total);
    }
    // A sheet is made twice: once to learn its size (the workbook's sheet list
    // comes first and gives each sheet's place), once to write it, so no
    // sheet is ever held whole in memory.
    using Sink = std::function<void(const QByteArray&)>;
    auto emitSheet = [&](const Plan& plan, bool first, const Sink& sink) {
        Biff s;
        s.data.reserve(1 << 17);
        auto flush = [&] {
            sink(s.data);
            s.data.clear();
        };
        s.record(0x0809, bof(0x0010));
        const size_t nRows = plan.count + (plan.repeatHeading ? 1 : 0);
        QByteArray dim;
        Biff::put32(dim, 0);
        Biff::put32(dim, quint32(nRows));
        Biff::put16(dim, 0);
        Biff::put16(dim, quint16(nCols));
        Biff::put16(dim, 0);
        s.record(0x0200, dim);
        for (int c = 0; c < nCols; ++c) {
            QByteArray ci;
            Biff::put16(ci, quint16(c));
            Biff::put16(ci, quint16(c));
            Biff::put16(ci, quint16(widths[c] * 256));
            Biff::put16(ci, xfGeneral);
            Biff::put16(ci, 0);
            Biff::put16(ci, 0);
            s.record(0x007D, ci);
        }
        QByteArray cell;
        for (size_t ri = 0; ri < nRows; ++ri) {
            const SheetRow& row = plan.repeatHeading
                                      ? (ri == 0 ? *heading : doc.sheetRows[plan.first + ri - 1])
                                      : doc.sheetRows[plan.first + ri];
            const bool bold = row.kind != SheetRow::Detail && row.kind != SheetRow::Title;
            const int cols =
                row.kind == SheetRow::Title || row.kind == SheetRow::GroupHeader ? 1 : nCols;
            for (int c = 0; c < cols; ++c) {
                const QVariant v = doc.sheetCell(row, c);
                if (v.isNull() || !v.isValid())
                    continue;
                cell.clear();
                Biff::put16(cell, quint16(ri));
                Biff::put16(cell, quint16(c));
                double number = 0;
                quint16 style = bold ? colBoldXf.value(c, xfBold) : colXf.value(c, xfGeneral);
                bool isNumber = false;
                if (v.typeId() == QMetaType::QDate) {
                    number = excelDate(v.toDate());
                    isNumber = true;
                    if (!colDate.value(c))
                        style = xfDate;
                } else if (v.typeId() == QMetaType::QDateTime) {
                    number = excelDateTime(v.toDateTime());
                    isNumber = true;
                    if (!colDate.value(c))
                        style = xfDateTime;
                } else if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::Bool &&
                           toNumber(v, &number)) {
                    isNumber = true;
                } else if (row.kind != SheetRow::Heading && colNumeric.value(c) &&
                           toNumber(v, &number)) {
                    isNumber = true;
                } else if (row.kind != SheetRow::Heading && colDate.value(c) &&
                           toDate(v).isValid()) {
                    number = excelDate(toDate(v));
                    isNumber = true;
                }
                if (row.kind == SheetRow::Heading)
                    style = xfBold;
                Biff::put16(cell, style);
                if (isNumber) {
                    char b[8];
                    std::memcpy(b, &number, 8); // little-endian IEEE 754, as the format wants
                    cell.append(b, 8);
                    s.record(0x0203, cell);
                } else {
                    // A cell holds at most 255 characters in this record.
                    cell += Biff::longString(formatValue(v, {}).left(255));
                    s.record(0x0204, cell);
                }
            }
            if (s.data.size() > (1 << 16))
                flush();
        }
        QByteArray w2;
        Biff::put16(w2, first ? 0x06B6 : 0x00B6);
        Biff::put16(w2, 0);
        Biff::put16(w2, 0);
        Biff::put32(w2, 0x40);
        Biff::put16(w2, 0);
        Biff::put16(w2, 0);
        Biff::put32(w2, 0);
        s.record(0x023E, w2);
        s.record(0x000A, {});
        flush();
    };
    for (int i = 0; i < plans.size(); ++i) {
        quint32 size = 0;
        emitSheet(plans[i], i == 0, [&](const QByteArray& b) { size += quint32(b.size()); });
        plans[i].size = size;
    }

    auto globals = [&](const QList<quint32>& positions) {
        Biff g;
        g.record(0x0809, bof(0x0005));
        QByteArray cp;
        Biff::put16(cp, 1200);
        g.record(0x0042, cp);
        QByteArray w1;
        Biff::put16(w1, 0);
        Biff::put16(w1, 0);
        Biff::put16(w1, 0x3000);
        Biff::put16(w1, 0x1E00);
        Biff::put16(w1, 0x0038);
        Biff::put16(w1, 0);
        Biff::put16(w1, 0);
        Biff::put16(w1, 1);
        Biff::put16(w1, 0x0258);
        g.record(0x003D, w1);
        QByteArray dm;
        Biff::put16(dm, 0);
        g.record(0x0022, dm);
        for (int i = 0; i < 4; ++i)
            g.record(0x0031, font(false));
        g.record(0x0031, font(true)); // index 5: Excel skips index 4
        for (int i = 0; i < customFormats.size(); ++i) {
            QByteArray f;
            Biff::put16(f, quint16(164 + i));
            f += Biff::longString(customFormats[i]);
            g.record(0x041E, f);
        }
        for (const QByteArray& x : xfs)
            g.record(0x00E0, x);
        QByteArray st;
        Biff::put16(st, 0x8000);
        st += char(0);
        st += char(0xFF);
        g.record(0x0293, st);
        for (int i = 0; i < plans.size(); ++i) {
            QByteArray bs;
            Biff::put32(bs, positions.value(i));
            bs += char(0);
            bs += char(0);
            bs += Biff::shortString(i == 0 ? QStringLiteral("Report")
                                           : QStringLiteral("Report (%1)").arg(i + 1));
            g.record(0x0085, bs);
        }
        g.record(0x000A, {});
        return g.data;
    };
    const qsizetype globalsSize = globals({}).size();
    QList<quint32> positions;
    quint32 pos = quint32(globalsSize);
    for (const Plan& p : plans) {
        positions << pos;
        pos += p.size;
    }
    const QByteArray head = globals(positions);

    gsf_init();
    GError* err = nullptr;
    const QByteArray path = QFile::encodeName(fileName);
    GsfOutput* out = gsf_output_stdio_new(path.constData(), &err);
    if (!out) {
        const QString reason =
            err ? QString::fromUtf8(err->message) : QStringLiteral("unknown error");
        if (err)
            g_error_free(err);
        throw Error(QStringLiteral("The spreadsheet \"%1\" could not be created: %2.")
                        .arg(fileName, reason));
    }
    GsfOutfile* ole = gsf_outfile_msole_new(out);
    g_object_unref(out);
    GsfOutput* stream = gsf_outfile_new_child(ole, "Workbook", FALSE);
    auto write = [&](const QByteArray& bytes) {
        return gsf_output_write(stream, size_t(bytes.size()),
                                reinterpret_cast<const guint8*>(bytes.constData()));
    };
    bool ok = write(head);
    for (int i = 0; i < plans.size(); ++i)
        emitSheet(plans[i], i == 0, [&](const QByteArray& b) { ok = ok && write(b); });
    gsf_output_close(stream);
    g_object_unref(stream);
    const bool closed = gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    if (!ok || !closed)
        throw Error(
            QStringLiteral(
                "The spreadsheet \"%1\" could not be written. Check the disk and try again.")
                .arg(fileName));
}

} // namespace pelmar::engine
