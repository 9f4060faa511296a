#pragma once
// The outputs of a laid-out report.  Each throws pelmar::Error naming the
// file when it cannot be written.

#include <QString>

class QPainter;
class QPrinter;

namespace pelmar::engine {

class Document;

// Draws one page in points onto a painter whose unit is one point.
void paintPage(QPainter& painter, const Document& doc, int pageIndex);
void printDocument(const Document& doc, QPrinter& printer, int fromPage, int toPage);

void writePdf(const Document& doc, const QString& file, const QString& title);
// Excel 97-2003: BIFF8 records in a compound file.
void writeXls(const Document& doc, const QString& file);
void writeXlsx(const Document& doc, const QString& file);
void writeCsv(const Document& doc, const QString& file);

// How many rows one .xls sheet takes, heading row included.
constexpr int kXlsRowsPerSheet = 65536;

} // namespace pelmar::engine
