// A lean PDF writer for laid-out pages: the standard Type 1 fonts (whose
// metrics the layout uses), one content stream per page, bookmarks from the
// group outline.  Text stays text, so it can be selected and searched.

#include "platform/Error.h"
#include "platform/engine/Document.h"
#include "platform/engine/Exporters.h"
#include "platform/engine/TextMetrics.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <vector>

namespace pelmar::engine {

namespace {

const char* baseFont(const FontSpec& f) {
    static const char* names[3][4] = {
        {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"},
        {"Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"},
        {"Courier", "Courier-Bold", "Courier-Oblique", "Courier-BoldOblique"},
    };
    return names[int(faceOf(f.family))][(f.bold ? 1 : 0) + (f.italic ? 2 : 0)];
}

char winAnsi(char16_t u) {
    if ((u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    switch (u) {
    case 0x20AC:
        return char(0x80);
    case 0x201A:
        return char(0x82);
    case 0x0192:
        return char(0x83);
    case 0x201E:
        return char(0x84);
    case 0x2026:
        return char(0x85);
    case 0x2020:
        return char(0x86);
    case 0x2021:
        return char(0x87);
    case 0x2030:
        return char(0x89);
    case 0x0160:
        return char(0x8A);
    case 0x2039:
        return char(0x8B);
    case 0x0152:
        return char(0x8C);
    case 0x017D:
        return char(0x8E);
    case 0x2018:
        return char(0x91);
    case 0x2019:
        return char(0x92);
    case 0x201C:
        return char(0x93);
    case 0x201D:
        return char(0x94);
    case 0x2022:
        return char(0x95);
    case 0x2013:
        return char(0x96);
    case 0x2014:
        return char(0x97);
    case 0x2122:
        return char(0x99);
    case 0x0161:
        return char(0x9A);
    case 0x203A:
        return char(0x9B);
    case 0x0153:
        return char(0x9C);
    case 0x017E:
        return char(0x9E);
    case 0x0178:
        return char(0x9F);
    default:
        return '?';
    }
}

void num(QByteArray& out, double v) {
    char buf[32];
    const long long scaled = llround(v * 100);
    const long long whole = scaled / 100;
    long long frac = scaled % 100;
    if (frac < 0)
        frac = -frac;
    int n;
    if (frac == 0)
        n = snprintf(buf, sizeof buf, "%s%lld", (scaled < 0 && whole == 0) ? "-" : "", whole);
    else
        n = snprintf(buf, sizeof buf, "%s%lld.%02lld", (scaled < 0 && whole == 0) ? "-" : "", whole,
                     frac);
    out.append(buf, n);
}

void pdfString(QByteArray& out, QStringView s) {
    out += '(';
    for (const QChar c : s) {
        const char b = winAnsi(c.unicode());
        if (b == '(' || b == ')' || b == '\\')
            out += '\\';
        out += b;
    }
    out += ')';
}

QByteArray textString(const QString& s) {
    QByteArray out = "<FEFF";
    for (const QChar c : s)
        out += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    return out + '>';
}

class Writer {
public:
    explicit Writer(QSaveFile& f)
        : file_(f) {}

    void begin() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    void object(int n, const QByteArray& body) {
        startObject(n);
        out_ += body;
        out_ += "\nendobj\n";
        flushIfLarge();
    }

    void stream(int n, const QByteArray& dict, const QByteArray& data) {
        startObject(n);
        out_ += "<<";
        out_ += dict;
        out_ += "/Length ";
        out_ += QByteArray::number(data.size());
        out_ += ">>\nstream\n";
        out_ += data;
        out_ += "\nendstream\nendobj\n";
        flushIfLarge();
    }

    void finish(int objects, int catalog, int info) {
        const qint64 xref = written_ + out_.size();
        out_ += "xref\n0 " + QByteArray::number(objects + 1) + "\n0000000000 65535 f \n";
        char buf[32];
        for (int i = 1; i <= objects; ++i) {
            snprintf(buf, sizeof buf, "%010lld 00000 n \n",
                     static_cast<long long>(offsets_[size_t(i)]));
            out_ += buf;
        }
        out_ += "trailer\n<</Size " + QByteArray::number(objects + 1) + "/Root " +
                QByteArray::number(catalog) + " 0 R/Info " + QByteArray::number(info) +
                " 0 R>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
        flush();
    }

private:
    void startObject(int n) {
        if (offsets_.size() <= size_t(n))
            offsets_.resize(size_t(n) + 1, 0);
        offsets_[size_t(n)] = written_ + out_.size();
        out_ += QByteArray::number(n) + " 0 obj\n";
    }
    void flushIfLarge() {
        if (out_.size() > (1 << 20))
            flush();
    }
    void flush() {
        if (file_.write(out_) != out_.size())
            throw Error(QStringLiteral("The PDF file \"%1\" could not be written: %2.")
                            .arg(file_.fileName(), file_.errorString()));
        written_ += out_.size();
        out_.clear();
    }

    QSaveFile& file_;
    QByteArray out_;
    qint64 written_ = 0;
    std::vector<qint64> offsets_;
};

QByteArray deflate(const QByteArray& data) {
    // qCompress puts a 4-byte length before the zlib stream.
    return qCompress(data, 1).mid(4);
}

} // namespace

void writePdf(const Document& doc, const QString& fileName, const QString& title) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("The PDF file \"%1\" could not be created: %2.")
                        .arg(fileName, file.errorString()));
    Writer w(file);
    w.begin();

    const int nFonts = int(doc.fonts.size());
    const int nImages = int(doc.images.size());
    const int nPages = doc.pageCount();
    const int catalog = 1, pagesObj = 2, resources = 3, info = 4;
    const int firstFont = 5;
    const int firstImage = firstFont + nFonts;
    const int outlineRoot = firstImage + nImages;
    const int firstItem = outlineRoot + 1;
    const int nItems = int(doc.outline.size());
    const int firstPage = firstItem + nItems;
    const int objects = firstPage + 2 * nPages - 1;
    auto pageObj = [&](int i) { return firstPage + 2 * i; };

    w.object(catalog, "<</Type/Catalog/Pages 2 0 R" +
                          (nItems ? "/Outlines " + QByteArray::number(outlineRoot) +
                                        " 0 R/PageMode/UseOutlines"
                                  : QByteArray()) +
                          ">>");
    QByteArray kids;
    kids.reserve(nPages * 10);
    for (int i = 0; i < nPages; ++i)
        kids += QByteArray::number(pageObj(i)) + " 0 R ";
    w.object(pagesObj,
             "<</Type/Pages/Count " + QByteArray::number(nPages) + "/Kids[" + kids + "]>>");
    QByteArray res = "<</ProcSet[/PDF/Text/ImageC]/Font<<";
    for (int i = 0; i < nFonts; ++i)
        res += "/F" + QByteArray::number(i) + ' ' + QByteArray::number(firstFont + i) + " 0 R";
    res += ">>";
    if (nImages) {
        res += "/XObject<<";
        for (int i = 0; i < nImages; ++i)
            res +=
                "/Im" + QByteArray::number(i) + ' ' + QByteArray::number(firstImage + i) + " 0 R";
        res += ">>";
    }
    w.object(resources, res + ">>");
    w.object(info, "<</Producer(Pelmar Reports)/Title" + textString(title) + ">>");
    for (int i = 0; i < nFonts; ++i)
        w.object(firstFont + i, QByteArray("<</Type/Font/Subtype/Type1/BaseFont/") +
                                    baseFont(doc.fonts[i]) + "/Encoding/WinAnsiEncoding>>");
    for (int i = 0; i < nImages; ++i) {
        const QImage& img = doc.images[i];
        QByteArray raw;
        raw.reserve(img.width() * img.height() * 3);
        for (int y = 0; y < img.height(); ++y)
            raw.append(reinterpret_cast<const char*>(img.constScanLine(y)), img.width() * 3);
        w.stream(firstImage + i,
                 "/Type/XObject/Subtype/Image/Width " + QByteArray::number(img.width()) +
                     "/Height " + QByteArray::number(img.height()) +
                     "/ColorSpace/DeviceRGB/BitsPerComponent 8/Filter/FlateDecode",
                 deflate(raw));
    }

    // Bookmarks: a tree by level, each leading to its page and place.
    if (nItems) {
        std::vector<int> parent(size_t(nItems), -1), prev(size_t(nItems), -1),
            next(size_t(nItems), -1), first(size_t(nItems), -1), last(size_t(nItems), -1),
            children(size_t(nItems), 0);
        std::vector<int> stack; // indices by level
        int rootFirst = -1, rootLast = -1, rootCount = 0;
        for (int i = 0; i < nItems; ++i) {
            const int level = doc.outline[i].level;
            while (int(stack.size()) > level)
                stack.pop_back();
            const int par = stack.empty() ? -1 : stack.back();
            parent[size_t(i)] = par;
            int& lastOf = par < 0 ? rootLast : last[size_t(par)];
            if (lastOf >= 0) {
                next[size_t(lastOf)] = i;
                prev[size_t(i)] = lastOf;
            } else {
                (par < 0 ? rootFirst : first[size_t(par)]) = i;
            }
            lastOf = i;
            if (par < 0)
                ++rootCount;
            else
                ++children[size_t(par)];
            stack.push_back(i);
        }
        w.object(outlineRoot, "<</Type/Outlines/First " +
                                  QByteArray::number(firstItem + rootFirst) + " 0 R/Last " +
                                  QByteArray::number(firstItem + rootLast) + " 0 R/Count " +
                                  QByteArray::number(rootCount) + ">>");
        for (int i = 0; i < nItems; ++i) {
            const OutlineEntry& e = doc.outline[i];
            QByteArray b =
                "<</Title" + textString(e.title) + "/Parent " +
                QByteArray::number(parent[size_t(i)] < 0 ? outlineRoot
                                                         : firstItem + parent[size_t(i)]) +
                " 0 R";
            if (prev[size_t(i)] >= 0)
                b += "/Prev " + QByteArray::number(firstItem + prev[size_t(i)]) + " 0 R";
            if (next[size_t(i)] >= 0)
                b += "/Next " + QByteArray::number(firstItem + next[size_t(i)]) + " 0 R";
            if (first[size_t(i)] >= 0)
                b += "/First " + QByteArray::number(firstItem + first[size_t(i)]) + " 0 R/Last " +
                     QByteArray::number(firstItem + last[size_t(i)]) + " 0 R/Count -" +
                     QByteArray::number(children[size_t(i)]);
            QByteArray y;
            num(y, doc.pageHeight - e.y);
            b += "/Dest[" + QByteArray::number(pageObj(std::min(e.page, nPages - 1))) +
                 " 0 R/XYZ 0 " + y + " null]>>";
            w.object(firstItem + i, b);
        }
    }

    QByteArray content;
    QByteArray mediaBox = "/MediaBox[0 0 ";
    num(mediaBox, doc.pageWidth);
    mediaBox += ' ';
    num(mediaBox, doc.pageHeight);
    mediaBox += ']';
    const double H = doc.pageHeight;
    QList<const TextMetrics*> metrics;
    for (const FontSpec& f : doc.fonts)
        metrics << &TextMetrics::of(f);
    for (int pi = 0; pi < nPages; ++pi) {
        content.clear();
        int font = -1;
        double lineWidth = -1;
        bool inText = false;
        for (const Prim& p : doc.pages[size_t(pi)].prims) {
            if (p.type == Prim::Text) {
                if (!inText) {
                    content += "BT\n";
                    inText = true;
                    font = -1;
                }
                const FontSpec& fs = doc.fonts[p.font];
                if (p.font != font) {
                    content += "/F" + QByteArray::number(p.font) + ' ';
                    num(content, fs.size);
                    content += " Tf\n";
                    font = p.font;
                }
                const QString text = doc.resolvedText(p, pi);
                double x = p.x;
                if (p.align != AlignLeft) {
                    const double tw = metrics[p.font]->width(text);
                    x += p.align == AlignRight ? p.w - tw : (p.w - tw) / 2;
                }
                content += "1 0 0 1 ";
                num(content, x);
                content += ' ';
                num(content, H - p.y);
                content += " Tm";
                pdfString(content, text);
                content += "Tj\n";
                continue;
            }
            if (inText) {
                content += "ET\n";
                inText = false;
            }
            if (p.type != Prim::Image && p.lineWidth != lineWidth) {
                num(content, p.lineWidth);
                content += " w\n";
                lineWidth = p.lineWidth;
            }
            if (p.type == Prim::Line) {
                num(content, p.x);
                content += ' ';
                num(content, H - p.y);
                content += " m ";
                num(content, p.x + p.w);
                content += ' ';
                num(content, H - p.y - p.h);
                content += " l S\n";
            } else if (p.type == Prim::Box) {
                if (p.color) {
                    const quint32 c = p.color - 1;
                    content += "q ";
                    num(content, ((c >> 16) & 0xFF) / 255.0);
                    content += ' ';
                    num(content, ((c >> 8) & 0xFF) / 255.0);
                    content += ' ';
                    num(content, (c & 0xFF) / 255.0);
                    content += " rg ";
                }
                num(content, p.x);
                content += ' ';
                num(content, H - p.y - p.h);
                content += ' ';
                num(content, p.w);
                content += ' ';
                num(content, p.h);
                content += p.color ? (p.lineWidth > 0 ? " re B Q\n" : " re f Q\n") : " re S\n";
            } else if (p.type == Prim::Image) {
                content += "q ";
                num(content, p.w);
                content += " 0 0 ";
                num(content, p.h);
                content += ' ';
                num(content, p.x);
                content += ' ';
                num(content, H - p.y - p.h);
                content += " cm /Im" + QByteArray::number(p.color) + " Do Q\n";
            }
        }
        if (inText)
            content += "ET\n";
        w.object(pageObj(pi), "<</Type/Page/Parent 2 0 R/Resources 3 0 R" + mediaBox +
                                  "/Contents " + QByteArray::number(pageObj(pi) + 1) + " 0 R>>");
        w.stream(pageObj(pi) + 1, "/Filter/FlateDecode", deflate(content));
    }
    w.finish(objects, catalog, info);
    if (!file.commit())
        throw Error(QStringLiteral("The PDF file \"%1\" could not be written: %2.")
                        .arg(fileName, file.errorString()));
}

} // namespace pelmar::engine
