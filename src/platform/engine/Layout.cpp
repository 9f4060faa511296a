#include "platform/engine/Layout.h"

#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/engine/Format.h"
#include "platform/engine/TextMetrics.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <cmath>
#include <limits>

namespace pelmar::engine {

QString Document::resolvedText(const Prim& p, int pageIndex) const {
    const QStringView t = textOf(p, pageIndex);
    if (!p.pageTokens)
        return QString::fromRawData(t.data(), t.size());
    QString s = t.toString();
    s.replace(QStringLiteral("{PageNumber}"), QString::number(pageIndex + 1));
    s.replace(QStringLiteral("{PageCount}"),
              complete ? QString::number(pages.size()) : QStringLiteral("?"));
    return s;
}

namespace {

struct Piece {
    enum Kind { Literal, Field, Param, Company, PageToken, PrintDate } kind;
    QString text;
    int column = -1;
};

struct Acc {
    double sum = 0, min = std::numeric_limits<double>::max(),
           max = std::numeric_limits<double>::lowest();
    qint64 count = 0;
    void add(const QVariant& v) {
        if (v.isNull())
            return;
        ++count;
        double x;
        if (toNumber(v, &x)) {
            sum += x;
            min = std::min(min, x);
            max = std::max(max, x);
        }
    }
    QVariant value(const QString& func) const {
        if (func == "count")
            return count;
        if (count == 0)
            return func == "sum" ? QVariant(0.0) : QVariant();
        if (func == "avg")
            return sum / double(count);
        if (func == "min")
            return min;
        if (func == "max")
            return max;
        return sum;
    }
};

// The running state of a page flow, shared by a report and its subreports.
struct Flow {
    Document* doc = nullptr;
    double top = 0, bottom = 0, y = 0;
    bool pageOpen = false;
    double pageStartY = 0;
    bool deferPageHeader = false;
    std::function<void()> onNewPage;   // draws the page header
    std::function<void()> onClosePage; // draws the page footer
};

class Filler {
public:
    Filler(const FilledReport& r, Flow& flow, std::vector<SheetRow>* sheet, bool main)
        : r_(r)
        , t_(*r.tmpl)
        , flow_(flow)
        , sheet_(sheet)
        , main_(main) {
        for (int i = 0; i < r_.columns.size(); ++i)
            columnIndex_.insert(r_.columns[i].toLower(), i);
        Document& doc = *flow_.doc;
        for (const FontSpec& f : t_.fonts) {
            int i = int(doc.fonts.indexOf(f));
            if (i < 0) {
                doc.fonts << f;
                i = int(doc.fonts.size()) - 1;
            }
            fontMap_ << i;
        }
        for (const Group& g : t_.groups)
            groupColumns_ << column(g.field, 0, QStringLiteral("group"));
        // Every field that a total reads, at the report level and each group level.
        auto collect = [&](const Section& s) {
            for (const Element& e : s.elements)
                if ((e.kind == ElementKind::Total || e.kind == ElementKind::RunningTotal) &&
                    !accIndex_.contains(e.field.toLower())) {
                    accIndex_.insert(e.field.toLower(), int(accColumns_.size()));
                    accColumns_ << column(e.field, e.line, QStringLiteral("total"));
                }
        };
        collect(t_.reportHeader);
        collect(t_.pageHeader);
        collect(t_.detail);
        collect(t_.reportFooter);
        collect(t_.pageFooter);
        for (const Group& g : t_.groups) {
            collect(g.header);
            collect(g.footer);
        }
        accs_.assign(t_.groups.size() + 1, std::vector<Acc>(accColumns_.size()));
        // Check every section now so a wrong field name fails before any page.
        auto check = [&](const Section& s) {
            for (const Element& e : s.elements)
                compiled(e);
        };
        check(t_.reportHeader);
        check(t_.pageHeader);
        check(t_.detail);
        check(t_.reportFooter);
        check(t_.pageFooter);
        for (const Group& g : t_.groups) {
            check(g.header);
            check(g.footer);
        }
        rows_ = r_.rows ? r_.rows.get() : &empty_;
    }

    void begin() {
        // The report header opens the first page, above its page header.
        if (main_)
            flow_.deferPageHeader = true;
        if (main_) {
            emitTitleRows();
            if (sheet_) {
                SheetRow h;
                h.kind = SheetRow::Heading;
                for (const QString& s : t_.sheetHeadings)
                    h.cells << s;
                if (!h.cells.isEmpty())
                    sheet_->push_back(std::move(h));
            }
        }
        emitSection(t_.reportHeader, nullptr, -1);
        if (main_) {
            flow_.deferPageHeader = false;
            if (!flow_.pageOpen)
                newPage();
            else if (flow_.onNewPage)
                flow_.onNewPage();
            flow_.pageStartY = flow_.y;
        }
        placeSubreports(QStringLiteral("header"));
    }

    // Processes rows until the document has reached pageTarget pages.
    bool run(int pageTarget) {
        const int n = int(rows_->size());
        const int groups = int(t_.groups.size());
        while (next_ < n) {
            if (flow_.doc->pages.size() >= size_t(pageTarget))
                return false;
            const QVariantList& row = (*rows_)[next_];
            int level = groups;
            if (next_ == 0) {
                level = 0;
            } else {
                const QVariantList& prev = (*rows_)[next_ - 1];
                for (int k = 0; k < groups; ++k)
                    if (!sameKey(prev.value(groupColumns_[k]), row.value(groupColumns_[k]))) {
                        level = k;
                        break;
                    }
                for (int k = groups - 1; k >= level; --k)
                    emitGroupFooter(k, &prev, next_ - 1);
            }
            for (int k = level; k < groups; ++k)
                emitGroupHeader(k, &row);
            for (auto& level_ : accs_)
                for (int a = 0; a < accColumns_.size(); ++a)
                    level_[a].add(row.value(accColumns_[a]));
            emitSection(t_.detail, &row, next_);
            ++next_;
        }
        if (!finished_) {
            const QVariantList* last = n ? &(*rows_)[n - 1] : nullptr;
            if (n)
                for (int k = groups - 1; k >= 0; --k)
                    emitGroupFooter(k, last, n - 1);
            if (main_ && sheet_ && accColumns_.size() &&
                hasElements(t_.reportFooter, ElementKind::Total))
                sheetTotalsRow(t_.reportFooter, last, SheetRow::GrandTotal, 0);
            emitSection(t_.reportFooter, last, -1);
            placeSubreports(QStringLiteral("footer"));
            finished_ = true;
        }
        return true;
    }

    void emitPageSection(const Section& s) {
        emitAt(s, nullptr, flow_.y);
        flow_.y += s.height;
    }
    const Template& tmpl() const { return t_; }

private:
    static bool sameKey(const QVariant& a, const QVariant& b) {
        if (a.isNull() || b.isNull())
            return a.isNull() == b.isNull();
        return a == b;
    }

    static bool hasElements(const Section& s, ElementKind kind) {
        for (const Element& e : s.elements)
            if (e.kind == kind)
                return true;
        return false;
    }

    int column(const QString& field, int line, const QString& what) const {
        const auto it = columnIndex_.constFind(field.toLower());
        if (it != columnIndex_.constEnd())
            return *it;
        throw Error(
            QStringLiteral(
                "The report template \"%1\" is not valid: line %2: the %3 field \"%4\" is not "
                "among the columns the query returns (%5).")
                .arg(t_.path)
                .arg(line)
                .arg(what, field, r_.columns.join(", ")));
    }

    const QList<Piece>& compiled(const Element& e) {
        auto it = compiled_.find(&e);
        if (it != compiled_.end())
            return *it;
        QList<Piece> pieces;
        if (e.kind == ElementKind::Field) {
            pieces << Piece{Piece::Field, {}, column(e.field, e.line, QStringLiteral("shown"))};
        } else if (e.kind == ElementKind::Text) {
            const QString& s = e.text;
            int i = 0;
            QString literal;
            while (i < s.size()) {
                const int open = int(s.indexOf('{', i));
                const int close = open < 0 ? -1 : int(s.indexOf('}', open));
                if (open < 0 || close < 0) {
                    literal += s.mid(i);
                    break;
                }
                literal += s.mid(i, open - i);
                const QString name = s.mid(open + 1, close - open - 1).trimmed();
                Piece p{Piece::Literal, {}, -1};
                if (name.startsWith('?')) {
                    p = {Piece::Param, name.mid(1).toLower(), -1};
                } else if (name.compare("CompanyName", Qt::CaseInsensitive) == 0) {
                    p.kind = Piece::Company;
                } else if (name == "PageNumber" || name == "PageCount") {
                    p = {Piece::PageToken, QStringLiteral("{%1}").arg(name), -1};
                } else if (name.compare("PrintDate", Qt::CaseInsensitive) == 0) {
                    p.kind = Piece::PrintDate;
                } else if (columnIndex_.contains(name.toLower())) {
                    p = {Piece::Field, {}, columnIndex_.value(name.toLower())};
                } else {
                    literal += s.mid(open, close - open + 1);
                    i = close + 1;
                    continue;
                }
                if (!literal.isEmpty())
                    pieces << Piece{Piece::Literal, literal, -1};
                literal.clear();
                pieces << p;
                i = close + 1;
            }
            if (!literal.isEmpty())
                pieces << Piece{Piece::Literal, literal, -1};
        }
        return *compiled_.insert(&e, pieces);
    }

    QString expand(const Element& e, const QVariantList* row, bool* pageTokens) {
        QString out;
        for (const Piece& p : compiled(e)) {
            switch (p.kind) {
            case Piece::Literal:
                out += p.text;
                break;
            case Piece::Field:
                if (row)
                    out += formatValue(row->value(p.column), e.format);
                break;
            case Piece::Param:
                out += r_.parameterTexts.value(p.text);
                break;
            case Piece::Company:
                out += r_.companyName;
                break;
            case Piece::PageToken:
                out += p.text;
                *pageTokens = true;
                break;
            case Piece::PrintDate:
                out += QLocale::c().toString(QDate::currentDate(), QStringLiteral("MM/dd/yyyy"));
                break;
            }
        }
        return out;
    }

    QVariant aggregate(const Element& e) const {
        int level = 0;
        if (!e.scope.isEmpty())
            for (int k = 0; k < t_.groups.size(); ++k)
                if (t_.groups[k].field.compare(e.scope, Qt::CaseInsensitive) == 0)
                    level = k + 1;
        return accs_[level][accIndex_.value(e.field.toLower())].value(e.func);
    }

    void newPage() {
        if (flow_.pageOpen && flow_.onClosePage)
            flow_.onClosePage();
        flow_.doc->pages.emplace_back();
        flow_.pageOpen = true;
        flow_.y = flow_.top;
        if (flow_.onNewPage && !flow_.deferPageHeader)
            flow_.onNewPage();
        flow_.pageStartY = flow_.y;
    }

    void ensureRoom(double height) {
        if (!flow_.pageOpen) {
            newPage();
            return;
        }
        if (flow_.y + height > flow_.bottom + 0.01 && flow_.y > pageStartY() + 0.01)
            newPage();
    }

    double pageStartY() const { return flow_.pageStartY; }

    void emitSection(const Section& s, const QVariantList* row, int dataRow) {
        if (!s.present && s.elements.isEmpty())
            return;
        ensureRoom(s.height);
        emitAt(s, row, flow_.y);
        flow_.y += s.height;
        Q_UNUSED(dataRow);
        if (sheet_ && main_ && s.kind == SectionKind::Detail && dataRow >= 0) {
            SheetRow r;
            r.kind = SheetRow::Detail;
            r.dataRow = dataRow;
            r.level = quint8(t_.groups.size());
            sheet_->push_back(std::move(r));
        }
    }

    void emitAt(const Section& s, const QVariantList* row, double top) {
        Page& page = flow_.doc->pages.back();
        const double left = t_.marginLeft;
        for (const Element& e : s.elements) {
            Prim p;
            p.x = float(left + e.x);
            p.w = float(e.w);
            p.align = quint8(e.align);
            p.font = quint8(fontMap_.value(e.font));
            switch (e.kind) {
            case ElementKind::Line:
                p.type = Prim::Line;
                p.y = float(top + e.y);
                p.h = float(e.h);
                p.lineWidth = float(e.lineWidth);
                break;
            case ElementKind::Box:
                p.type = Prim::Box;
                p.y = float(top + e.y);
                p.h = float(e.h);
                p.lineWidth = float(e.lineWidth);
                if (!e.fill.isEmpty()) {
                    const QColor c(e.fill);
                    if (c.isValid())
                        p.color = (quint32(c.rgb()) & 0xFFFFFF) + 1;
                }
                break;
            case ElementKind::Picture:
                p.type = Prim::Image;
                p.y = float(top + e.y);
                p.h = float(e.h);
                p.color = quint32(image(e));
                if (p.color == quint32(-1))
                    continue;
                break;
            default: {
                p.type = Prim::Text;
                const TextMetrics& m = metrics(p.font);
                p.y = float(top + e.y + m.ascent());
                QString text;
                if (e.kind == ElementKind::Text)
                    text = expand(e, row, &p.pageTokens);
                else if (e.kind == ElementKind::Field)
                    text = row ? formatValue(row->value(compiled(e).first().column), e.format)
                               : QString();
                else if (e.kind == ElementKind::Total || e.kind == ElementKind::RunningTotal)
                    text = formatValue(aggregate(e), e.format);
                if (text.isEmpty())
                    continue;
                const QString shown = p.pageTokens ? text : m.fit(text, e.w);
                p.textStart = quint32(page.text.size());
                p.textLength = quint32(shown.size());
                page.text += shown;
                break;
            }
            }
            page.prims.push_back(std::move(p));
        }
    }

    const TextMetrics& metrics(int docFont) {
        if (metrics_.size() <= docFont)
            metrics_.resize(docFont + 1, nullptr);
        if (!metrics_[docFont])
            metrics_[docFont] = &TextMetrics::of(flow_.doc->fonts[docFont]);
        return *metrics_[docFont];
    }

    int image(const Element& e) {
        const QString key = e.field;
        if (images_.contains(key))
            return images_.value(key);
        QString path = e.field;
        if (path.startsWith('\\') || path.startsWith('/'))
            path = QFileInfo(t_.path).absolutePath() + '/' + path.mid(1);
        QImage img(nativePath(path));
        int index = -1;
        if (!img.isNull()) {
            flow_.doc->images << img.convertToFormat(QImage::Format_RGB888);
            index = int(flow_.doc->images.size()) - 1;
        }
        images_.insert(key, index);
        return index;
    }

    void emitGroupHeader(int k, const QVariantList* row) {
        const Group& g = t_.groups[k];
        double need = 0;
        if (g.keepTogether) {
            for (int j = k; j < t_.groups.size(); ++j)
                need += t_.groups[j].header.height;
            need += t_.detail.height;
        } else {
            need = g.header.height;
        }
        if (g.newPage && flow_.pageOpen && flow_.y > pageStartY() + 0.01)
            newPage();
        ensureRoom(need);
        for (auto& a : accs_[k + 1])
            a = Acc();
        bool tokens = false;
        Element headingElement;
        headingElement.kind = ElementKind::Text;
        headingElement.text = g.heading;
        const QString title = expandHeading(g, row, &tokens);
        if (main_) {
            flow_.doc->outline << OutlineEntry{title, k, int(flow_.doc->pages.size()) - 1,
                                               float(flow_.y)};
            if (sheet_) {
                SheetRow r;
                r.kind = SheetRow::GroupHeader;
                r.level = quint8(k);
                r.cells << title;
                sheet_->push_back(std::move(r));
            }
        }
        emitAt(g.header, row, flow_.y);
        flow_.y += g.header.height;
    }

    QString expandHeading(const Group& g, const QVariantList* row, bool* tokens) {
        auto it = headingElements_.find(&g);
        if (it == headingElements_.end()) {
            Element e;
            e.kind = ElementKind::Text;
            e.text = g.heading;
            it = headingElements_.insert(&g, e);
        }
        return expand(*it, row, tokens);
    }

    void emitGroupFooter(int k, const QVariantList* row, int) {
        const Group& g = t_.groups[k];
        if (main_ && sheet_ && g.footer.present)
            sheetTotalsRow(g.footer, row, SheetRow::GroupFooter, k);
        if (g.footer.present)
            emitSection(g.footer, row, -1);
    }

    void sheetTotalsRow(const Section& s, const QVariantList* row, SheetRow::Kind kind, int level) {
        SheetRow r;
        r.kind = kind;
        r.level = quint8(level);
        const int n = std::max<int>(1, int(t_.sheetFields.size()));
        for (int i = 0; i < n; ++i)
            r.cells << QVariant();
        QString label;
        for (const Element& e : s.elements) {
            if ((e.kind == ElementKind::Total || e.kind == ElementKind::RunningTotal) &&
                e.sheetColumn >= 0) {
                QVariant v = aggregate(e);
                r.cells[e.sheetColumn] = v;
            } else if (e.kind == ElementKind::Text && label.isEmpty()) {
                bool tokens = false;
                label = expand(e, row, &tokens);
            }
        }
        if (!label.isEmpty()) {
            for (int i = 0; i < n; ++i)
                if (r.cells[i].isNull()) {
                    r.cells[i] = label;
                    break;
                }
        }
        sheet_->push_back(std::move(r));
    }

    void emitTitleRows() {
        if (!sheet_)
            return;
        QList<const Element*> texts;
        for (const Element& e : t_.reportHeader.elements)
            if (e.kind == ElementKind::Text)
                texts << &e;
        std::stable_sort(texts.begin(), texts.end(), [](auto a, auto b) {
            return a->y < b->y || (a->y == b->y && a->x < b->x);
        });
        for (const Element* e : texts) {
            bool tokens = false;
            const QString s = expand(*e, nullptr, &tokens);
            if (s.trimmed().isEmpty())
                continue;
            SheetRow r;
            r.kind = SheetRow::Title;
            r.cells << s;
            sheet_->push_back(std::move(r));
        }
    }

    void placeSubreports(const QString& placement) {
        for (int i = 0; i < r_.subreports.size(); ++i) {
            if (r_.subreportPlacements.value(i) != placement)
                continue;
            Filler sub(r_.subreports[i], flow_, nullptr, false);
            sub.begin();
            sub.run(std::numeric_limits<int>::max());
        }
    }

    const FilledReport& r_;
    const Template& t_;
    Flow& flow_;
    std::vector<SheetRow>* sheet_;
    bool main_;
    QHash<QString, int> columnIndex_;
    QList<int> fontMap_;
    QList<int> groupColumns_;
    QHash<QString, int> accIndex_;
    QList<int> accColumns_;
    std::vector<std::vector<Acc>> accs_;
    QHash<const Element*, QList<Piece>> compiled_;
    QHash<const Group*, Element> headingElements_;
    QHash<QString, int> images_;
    QList<const TextMetrics*> metrics_;
    const QList<QVariantList>* rows_ = nullptr;
    QList<QVariantList> empty_;
    int next_ = 0;
    bool finished_ = false;
};

} // namespace

struct LayoutJob::Impl {
    FilledReport report;
    std::shared_ptr<Document> doc;
    Flow flow;
    std::unique_ptr<Filler> filler;
    bool started = false;
    bool done = false;
};

LayoutJob::LayoutJob(FilledReport report, std::shared_ptr<Document> doc)
    : d(new Impl) {
    d->report = std::move(report);
    d->doc = std::move(doc);
    const Template& t = *d->report.tmpl;
    Document& document = *d->doc;
    document.pageWidth = t.pageWidth;
    document.pageHeight = t.pageHeight;
    document.data = d->report.rows;
    document.sheetHeadings = t.sheetHeadings;
    document.sheetFormats = t.sheetFormats;
    document.sheetWidths = t.sheetWidths;
    for (const QString& f : t.sheetFields) {
        int c = -1;
        for (int i = 0; i < d->report.columns.size(); ++i)
            if (d->report.columns[i].compare(f, Qt::CaseInsensitive) == 0)
                c = i;
        document.sheetSourceColumns << c;
    }
    d->flow.doc = d->doc.get();
    d->flow.top = t.marginTop;
    d->flow.bottom = t.pageHeight - t.marginBottom - t.pageFooter.height;
    if (d->flow.bottom - d->flow.top < t.pageHeader.height + 36)
        throw Error(QStringLiteral(
                        "The report template \"%1\" is not valid: the page header and footer leave "
                        "no room for rows.")
                        .arg(t.path));
    d->filler = std::make_unique<Filler>(d->report, d->flow, &document.sheetRows, true);
    d->flow.onNewPage = [this] { d->filler->emitPageSection(d->filler->tmpl().pageHeader); };
    const double footerTop = t.pageHeight - t.marginBottom - t.pageFooter.height;
    d->flow.onClosePage = [this, footerTop] {
        const double y = d->flow.y;
        d->flow.y = footerTop;
        d->filler->emitPageSection(d->filler->tmpl().pageFooter);
        d->flow.y = y;
    };
}

LayoutJob::~LayoutJob() = default;

bool LayoutJob::step(int maxPages) {
    if (d->done)
        return true;
    if (!d->started) {
        d->started = true;
        d->flow.pageOpen = false;
        d->filler->begin();
    }
    const int target = int(d->doc->pages.size()) + maxPages;
    if (d->filler->run(target)) {
        if (!d->flow.pageOpen) {
            // An empty report still has its one page.
            d->flow.doc->pages.emplace_back();
            d->flow.pageOpen = true;
            d->flow.y = d->flow.top;
            d->flow.onNewPage();
        }
        d->flow.onClosePage();
        d->done = true;
        d->doc->complete = true;
    }
    return d->done;
}

void LayoutJob::runAll() {
    step(std::numeric_limits<int>::max() / 2);
}

std::shared_ptr<Document> LayoutJob::document() const {
    return d->doc;
}

std::shared_ptr<Document> layoutAll(const FilledReport& report) {
    auto doc = std::make_shared<Document>();
    LayoutJob job(report, doc);
    job.runAll();
    return doc;
}

} // namespace pelmar::engine
