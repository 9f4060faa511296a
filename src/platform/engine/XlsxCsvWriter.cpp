#include "platform/Error.h"
#include "platform/engine/Document.h"
#include "platform/engine/Exporters.h"
#include "platform/engine/Format.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <xlsxwriter.h>

namespace pelmar::engine {

void writeXlsx(const Document& doc, const QString& fileName) {
    const QByteArray path = QFile::encodeName(fileName);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = nullptr;
    lxw_workbook* wb = workbook_new_opt(path.constData(), &options);
    if (!wb)
        throw Error(QStringLiteral("The spreadsheet \"%1\" could not be created.").arg(fileName));
    const int nCols = std::max<int>(1, int(doc.sheetHeadings.size()));
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "mm/dd/yyyy");
    QList<lxw_format*> colFormat, colBold;
    QList<bool> numeric, isDate;
    for (int c = 0; c < nCols; ++c) {
        const QString f = doc.sheetFormats.value(c);
        lxw_format* plain = workbook_add_format(wb);
        lxw_format* b = workbook_add_format(wb);
        format_set_bold(b);
        if (!f.isEmpty()) {
            const QByteArray code = QString(f).replace("nn", "mm").toUtf8();
            format_set_num_format(plain, code.constData());
            format_set_num_format(b, code.constData());
        }
        colFormat << plain;
        colBold << b;
        numeric << (!f.isEmpty() && isNumberFormat(f));
        isDate << (!f.isEmpty() && isDateFormat(f));
    }
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Report");
    for (int c = 0; c < nCols; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c),
                             std::max(8.0, doc.sheetWidths.value(c, 60) / 5.0), nullptr);
    lxw_row_t r = 0;
    bool frozen = false;
    const int groups = [&] {
        int g = 0;
        for (const SheetRow& row : doc.sheetRows)
            if (row.kind == SheetRow::Detail)
                return int(row.level);
        return g;
    }();
    for (const SheetRow& row : doc.sheetRows) {
        if (r >= LXW_ROW_MAX)
            break;
        if (row.kind == SheetRow::Heading && !frozen) {
            // Heading rows freeze above the rows they head.
            worksheet_freeze_panes(ws, r + 1, 0);
            frozen = true;
        }
        const bool b = row.kind != SheetRow::Detail && row.kind != SheetRow::Title;
        int level = 0;
        if (row.kind == SheetRow::Detail)
            level = std::min(7, groups);
        else if (row.kind == SheetRow::GroupHeader || row.kind == SheetRow::GroupFooter)
            level = std::min(7, int(row.level));
        if (level > 0) {
            lxw_row_col_options o{};
            o.level = uint8_t(level);
            worksheet_set_row_opt(ws, r, LXW_DEF_ROW_HEIGHT, nullptr, &o);
        }
        const int cols =
            row.kind == SheetRow::Title || row.kind == SheetRow::GroupHeader ? 1 : nCols;
        for (int c = 0; c < cols; ++c) {
            const QVariant v = doc.sheetCell(row, c);
            if (v.isNull() || !v.isValid())
                continue;
            lxw_format* f = row.kind == SheetRow::Heading ? bold : b ? colBold[c] : colFormat[c];
            double n;
            QDate d;
            if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime ||
                (row.kind != SheetRow::Heading && isDate[c] && v.typeId() == QMetaType::QString &&
                 (d = toDate(v)).isValid())) {
                const QDateTime dt = v.typeId() == QMetaType::QDateTime
                                         ? v.toDateTime()
                                         : QDateTime(d.isValid() ? d : v.toDate(), QTime(0, 0));
                lxw_datetime x{dt.date().year(),   dt.date().month(),
                               dt.date().day(),    dt.time().hour(),
                               dt.time().minute(), dt.time().second() + dt.time().msec() / 1000.0};
                worksheet_write_datetime(ws, r, lxw_col_t(c), &x, isDate[c] ? f : date);
            } else if (row.kind != SheetRow::Heading && v.typeId() != QMetaType::Bool &&
                       (v.typeId() != QMetaType::QString || numeric[c]) && toNumber(v, &n)) {
                worksheet_write_number(ws, r, lxw_col_t(c), n, f);
            } else {
                const QByteArray s = formatValue(v, {}).toUtf8();
                worksheet_write_string(ws, r, lxw_col_t(c), s.constData(), f);
            }
        }
        ++r;
    }
    const lxw_error e = workbook_close(wb);
    if (e != LXW_NO_ERROR)
        throw Error(QStringLiteral("The spreadsheet \"%1\" could not be written: %2.")
                        .arg(fileName, QString::fromUtf8(lxw_strerror(e))));
}

void writeCsv(const Document& doc, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("The file \"%1\" could not be created: %2.")
                        .arg(fileName, file.errorString()));
    const int nCols = std::max<int>(1, int(doc.sheetHeadings.size()));
    QByteArray out;
    auto field = [&](const QString& s) {
        if (s.contains(',') || s.contains('"') || s.contains('\n') || s.contains('\r')) {
            QString q = s;
            q.replace('"', QStringLiteral("\"\""));
            out += '"' + q.toUtf8() + '"';
        } else {
            out += s.toUtf8();
        }
    };
    for (const SheetRow& row : doc.sheetRows) {
        for (int c = 0; c < nCols; ++c) {
            if (c)
                out += ',';
            const QVariant v = doc.sheetCell(row, c);
            if (v.typeId() == QMetaType::QDate)
                field(v.toDate().toString(QStringLiteral("MM/dd/yyyy")));
            else if (row.kind == SheetRow::Detail || row.kind == SheetRow::GroupFooter ||
                     row.kind == SheetRow::GrandTotal) {
                double n;
                if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::Bool &&
                    toNumber(v, &n))
                    field(QString::number(n, 'g', 15));
                else
                    field(formatValue(v, {}));
            } else
                field(formatValue(v, {}));
        }
        out += "\r\n";
        if (out.size() > (1 << 20)) {
            file.write(out);
            out.clear();
        }
    }
    file.write(out);
    if (!file.commit())
        throw Error(QStringLiteral("The file \"%1\" could not be written: %2.")
                        .arg(fileName, file.errorString()));
}

} // namespace pelmar::engine
