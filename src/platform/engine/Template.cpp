#include "platform/engine/Template.h"

#include "platform/Error.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>

namespace pelmar::engine {

int Template::fontIndex(const FontSpec& f) {
    const int i = int(fonts.indexOf(f));
    if (i >= 0)
        return i;
    fonts << f;
    return int(fonts.size()) - 1;
}

namespace {

const QStringList kFuncs = {"sum", "count", "avg", "min", "max"};

class Loader {
public:
    Loader(const QByteArray& xml, QString path)
        : r_(xml)
        , path_(std::move(path)) {}

    std::shared_ptr<Template> run() {
        auto t = std::make_shared<Template>();
        t->path = path_;
        while (!r_.atEnd()) {
            r_.readNext();
            if (r_.isStartElement()) {
                if (r_.name() != QLatin1String("report"))
                    fail(QStringLiteral("the root element must be <report>, not <%1>")
                             .arg(r_.name()));
                readReport(*t, nullptr);
                break;
            }
        }
        if (r_.hasError())
            fail(r_.errorString());
        if (t->fonts.isEmpty())
            fail(QStringLiteral("the file holds no <report> element"));
        return t;
    }

private:
    [[noreturn]] void fail(const QString& fault, qint64 line = -1) {
        if (line < 0)
            line = r_.lineNumber();
        throw Error(QStringLiteral("The report template \"%1\" is not valid: line %2: %3.")
                        .arg(path_)
                        .arg(line)
                        .arg(fault));
    }

    QString attr(const char* name) const {
        return r_.attributes().value(QLatin1String(name)).toString();
    }
    bool has(const char* name) const { return r_.attributes().hasAttribute(QLatin1String(name)); }

    QString required(const char* name) {
        const QString v = attr(name).trimmed();
        if (v.isEmpty())
            fail(QStringLiteral("<%1> needs the attribute %2").arg(r_.name(), QLatin1String(name)));
        return v;
    }

    double number(const char* name, double fallback, double scale) {
        if (!has(name))
            return fallback * scale;
        bool ok = false;
        const double v = attr(name).trimmed().toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("the attribute %1=\"%2\" of <%3> is not a number")
                     .arg(QLatin1String(name), attr(name), r_.name()));
        return v * scale;
    }

    bool flag(const char* name, bool fallback) {
        if (!has(name))
            return fallback;
        const QString v = attr(name).trimmed().toLower();
        if (v == "true" || v == "yes" || v == "1")
            return true;
        if (v == "false" || v == "no" || v == "0")
            return false;
        fail(QStringLiteral("the attribute %1=\"%2\" must be true or false")
                 .arg(QLatin1String(name), attr(name)));
    }

    int alignment(int fallback) {
        if (!has("align"))
            return fallback;
        const QString a = attr("align").trimmed().toLower();
        if (a == "left")
            return AlignLeft;
        if (a == "center" || a == "centre")
            return AlignCenter;
        if (a == "right")
            return AlignRight;
        fail(QStringLiteral("align=\"%1\" must be left, center or right").arg(attr("align")));
    }

    FontSpec fontFrom(const FontSpec& base) {
        FontSpec f = base;
        if (has("style")) {
            const QString s = attr("style").trimmed();
            if (!styles_.contains(s))
                fail(QStringLiteral("unknown style \"%1\"").arg(s));
            f = styles_.value(s);
        }
        if (has("font"))
            f.family = attr("font").trimmed();
        f.size = number("size", f.size, 1.0);
        if (f.size <= 0 || f.size > 200)
            fail(QStringLiteral("the font size %1 is out of range").arg(f.size));
        f.bold = flag("bold", f.bold);
        f.italic = flag("italic", f.italic);
        return f;
    }

    QString text() {
        return r_.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    }

    void readReport(Template& t, Template* parent) {
        if (parent) {
            t.pageWidth = parent->pageWidth;
            t.pageHeight = parent->pageHeight;
            t.marginLeft = parent->marginLeft;
            t.marginRight = parent->marginRight;
            t.marginTop = parent->marginTop;
            t.marginBottom = parent->marginBottom;
            t.path = parent->path;
            scale_ = parentScale_;
        } else {
            const QString units = attr("units").trimmed().toLower();
            if (units.isEmpty() || units == "mm")
                scale_ = 72.0 / 25.4;
            else if (units == "pt")
                scale_ = 1.0;
            else if (units == "in")
                scale_ = 72.0;
            else
                fail(QStringLiteral("units=\"%1\" must be mm, pt or in").arg(units));
            parentScale_ = scale_;
            t.title = attr("title");
            const QString page = attr("page").trimmed().toLower();
            if (page.isEmpty() || page == "letter") {
                t.pageWidth = 612;
                t.pageHeight = 792;
            } else if (page == "a4") {
                t.pageWidth = 595.28;
                t.pageHeight = 841.89;
            } else if (page == "legal") {
                t.pageWidth = 612;
                t.pageHeight = 1008;
            } else
                fail(QStringLiteral("page=\"%1\" must be Letter, A4 or Legal").arg(attr("page")));
            const QString orient = attr("orientation").trimmed().toLower();
            if (orient == "landscape")
                std::swap(t.pageWidth, t.pageHeight);
            else if (!orient.isEmpty() && orient != "portrait")
                fail(
                    QStringLiteral("orientation=\"%1\" must be portrait or landscape").arg(orient));
            const double m = number("margin", 12.7 * 72.0 / 25.4 / scale_, scale_);
            t.marginLeft = number("marginleft", m / scale_, scale_);
            t.marginRight = number("marginright", m / scale_, scale_);
            t.marginTop = number("margintop", m / scale_, scale_);
            t.marginBottom = number("marginbottom", m / scale_, scale_);
            if (t.contentWidth() < 72 || t.pageHeight - t.marginTop - t.marginBottom < 72)
                fail(QStringLiteral("the margins leave no room on the page"));
        }
        FontSpec base;
        base = fontFrom(base);
        t.fonts.clear();
        t.fonts << base;
        styles_.clear();
        styles_.insert(QString(), base);
        FontSpec title = base;
        title.size = base.size + 5;
        title.bold = true;
        FontSpec subtitle = base;
        subtitle.size = base.size + 2;
        subtitle.bold = true;
        FontSpec heading = base;
        heading.bold = true;
        styles_.insert("title", title);
        styles_.insert("subtitle", subtitle);
        styles_.insert("heading", heading);
        styles_.insert("small", FontSpec{base.family, std::max(5.0, base.size - 2), false, false});

        QSet<QString> aliases, params;
        while (r_.readNextStartElement()) {
            const QString tag = r_.name().toString();
            const int line = int(r_.lineNumber());
            if (tag == "style") {
                const QString name = required("name");
                styles_.insert(name, fontFrom(base));
                r_.skipCurrentElement();
            } else if (tag == "table") {
                TableDef d{required("alias"), required("location"), line};
                if (aliases.contains(d.alias.toLower()))
                    fail(QStringLiteral("the table alias \"%1\" is given twice").arg(d.alias));
                if (!QRegularExpression("^[A-Za-z_][A-Za-z0-9_]*$").match(d.alias).hasMatch())
                    fail(
                        QStringLiteral("the table alias \"%1\" must be a plain name").arg(d.alias));
                aliases.insert(d.alias.toLower());
                t.tables << d;
                r_.skipCurrentElement();
            } else if (tag == "parameter") {
                ParameterDef p;
                p.name = required("name");
                p.line = line;
                if (has("type")) {
                    p.type = attr("type").trimmed().toLower();
                    if (p.type != "text" && p.type != "date" && p.type != "number")
                        fail(
                            QStringLiteral("the parameter type \"%1\" must be text, date or number")
                                .arg(p.type));
                }
                if (params.contains(p.name.toLower()))
                    fail(QStringLiteral("the parameter \"%1\" is given twice").arg(p.name));
                params.insert(p.name.toLower());
                t.parameters << p;
                r_.skipCurrentElement();
            } else if (tag == "query") {
                t.queryLine = line;
                t.query = r_.readElementText().trimmed();
            } else if (tag == "header") {
                readSection(t, t.reportHeader, SectionKind::ReportHeader);
            } else if (tag == "pageheader") {
                readSection(t, t.pageHeader, SectionKind::PageHeader);
            } else if (tag == "detail") {
                readSection(t, t.detail, SectionKind::Detail);
            } else if (tag == "footer") {
                readSection(t, t.reportFooter, SectionKind::ReportFooter);
            } else if (tag == "pagefooter") {
                readSection(t, t.pageFooter, SectionKind::PageFooter);
            } else if (tag == "group") {
                Group g;
                g.field = required("field");
                g.heading = has("heading") ? attr("heading") : QStringLiteral("{%1}").arg(g.field);
                const QString footer = attr("footer").trimmed().toLower();
                if (!footer.isEmpty() && footer != "totals" && footer != "none")
                    fail(QStringLiteral("footer=\"%1\" of <group> must be totals or none")
                             .arg(footer));
                g.footerTotals = footer != "none";
                g.keepTogether = flag("keeptogether", true);
                g.newPage = flag("newpage", false);
                while (r_.readNextStartElement()) {
                    if (r_.name() == QLatin1String("header"))
                        readSection(t, g.header, SectionKind::GroupHeader);
                    else if (r_.name() == QLatin1String("footer"))
                        readSection(t, g.footer, SectionKind::GroupFooter);
                    else
                        fail(QStringLiteral("unknown element <%1> in <group>").arg(r_.name()));
                }
                t.groups << g;
            } else if (tag == "columns") {
                readColumns(t);
            } else if (tag == "subreport") {
                if (parent)
                    fail(QStringLiteral("a subreport cannot hold another subreport"));
                SubreportDef s;
                s.name = required("name");
                for (const auto& other : t.subreports)
                    if (other.name.compare(s.name, Qt::CaseInsensitive) == 0)
                        fail(QStringLiteral("the subreport \"%1\" is given twice").arg(s.name));
                if (has("in")) {
                    s.placement = attr("in").trimmed().toLower();
                    if (s.placement != "header" && s.placement != "footer")
                        fail(QStringLiteral("in=\"%1\" of <subreport> must be header or footer")
                                 .arg(s.placement));
                }
                s.body = std::make_shared<Template>();
                const auto savedStyles = styles_;
                readReport(*s.body, &t);
                styles_ = savedStyles;
                scale_ = parentScale_;
                t.subreports << s;
            } else {
                fail(QStringLiteral("unknown element <%1> in <report>").arg(tag));
            }
        }
        if (r_.hasError())
            fail(r_.errorString());
        finish(t);
    }

    void readColumns(Template& t) {
        columnsLine_ = int(r_.lineNumber());
        while (r_.readNextStartElement()) {
            if (r_.name() != QLatin1String("column"))
                fail(QStringLiteral("unknown element <%1> in <columns>").arg(r_.name()));
            Column c;
            c.field = required("field");
            c.heading = has("heading") ? attr("heading") : c.field;
            c.format = attr("format");
            c.total = attr("total").trimmed().toLower();
            if (!c.total.isEmpty() && !kFuncs.contains(c.total))
                fail(QStringLiteral("total=\"%1\" must be one of %2")
                         .arg(c.total, kFuncs.join(", ")));
            c.width = number("width", 25, scale_);
            if (c.width <= 0)
                fail(QStringLiteral("the column \"%1\" needs a width above 0").arg(c.field));
            c.alignGiven = has("align");
            c.align = alignment(AlignLeft);
            t.columns << c;
            r_.skipCurrentElement();
        }
        if (t.columns.isEmpty())
            fail(QStringLiteral("<columns> holds no <column>"));
    }

    void readSection(Template& t, Section& s, SectionKind kind) {
        if (s.present)
            fail(QStringLiteral("the section <%1> is given twice").arg(r_.name()));
        s.kind = kind;
        s.present = true;
        const double givenHeight = number("height", -1, scale_);
        const FontSpec sectionFont = fontFrom(t.fonts.value(0));
        double cursor = 0;
        double bottom = 0;
        while (r_.readNextStartElement()) {
            Element e;
            e.line = int(r_.lineNumber());
            const QString tag = r_.name().toString();
            const FontSpec f = fontFrom(sectionFont);
            e.font = t.fontIndex(f);
            const double lineHeight = f.size * 1.25;
            e.align = alignment(AlignLeft);
            const bool autoY = !has("y") && !has("y1");
            if (tag == "line") {
                e.kind = ElementKind::Line;
                e.x = number("x1", number("x", 0, scale_) / scale_, scale_);
                e.y =
                    number("y1", number("y", autoY ? cursor / scale_ : 0, scale_) / scale_, scale_);
                const double x2 = number(
                    "x2", (e.x + number("w", t.contentWidth() - e.x, scale_)) / scale_, scale_);
                const double y2 = number("y2", e.y / scale_, scale_);
                e.w = x2 - e.x;
                e.h = y2 - e.y;
                e.lineWidth = number("width", 0.5, 1.0);
                r_.skipCurrentElement();
            } else {
                e.x = number("x", 0, scale_);
                e.y = number("y", cursor / scale_, scale_);
                e.w = number("w", (t.contentWidth() - e.x) / scale_, scale_);
                e.h = number("h", lineHeight / scale_, scale_);
                e.format = attr("format");
                if (tag == "text") {
                    e.kind = ElementKind::Text;
                    e.text = text();
                } else if (tag == "field") {
                    e.kind = ElementKind::Field;
                    e.field = required("name");
                    r_.skipCurrentElement();
                } else if (tag == "total" || tag == "runningtotal") {
                    e.kind = tag == "total" ? ElementKind::Total : ElementKind::RunningTotal;
                    e.field = required("field");
                    e.func = has("func") ? attr("func").trimmed().toLower() : QStringLiteral("sum");
                    if (!kFuncs.contains(e.func))
                        fail(QStringLiteral("func=\"%1\" must be one of %2")
                                 .arg(e.func, kFuncs.join(", ")));
                    e.scope = has("scope")   ? attr("scope").trimmed()
                              : has("reset") ? attr("reset").trimmed()
                                             : QString();
                    if (e.scope.compare("report", Qt::CaseInsensitive) == 0)
                        e.scope.clear();
                    if (!has("scope") && kind == SectionKind::GroupFooter &&
                        e.kind == ElementKind::Total)
                        e.scope = QStringLiteral("\x01"); // the enclosing group, fixed in finish()
                    r_.skipCurrentElement();
                } else if (tag == "box") {
                    e.kind = ElementKind::Box;
                    e.fill = attr("fill");
                    e.lineWidth = number("width", 0.5, 1.0);
                    r_.skipCurrentElement();
                } else if (tag == "picture") {
                    e.kind = ElementKind::Picture;
                    e.field = required("src");
                    r_.skipCurrentElement();
                } else if (tag == "pagenumber") {
                    e.kind = ElementKind::Text;
                    e.text = QStringLiteral("{PageNumber}");
                    r_.skipCurrentElement();
                } else if (tag == "pagecount") {
                    e.kind = ElementKind::Text;
                    e.text = QStringLiteral("{PageCount}");
                    r_.skipCurrentElement();
                } else if (tag == "companyname") {
                    e.kind = ElementKind::Text;
                    e.text = QStringLiteral("{CompanyName}");
                    r_.skipCurrentElement();
                } else if (tag == "parameter") {
                    e.kind = ElementKind::Text;
                    e.text = QStringLiteral("{?%1}").arg(required("name"));
                    r_.skipCurrentElement();
                } else {
                    fail(QStringLiteral("unknown element <%1> in a section").arg(tag));
                }
            }
            if (autoY)
                cursor = std::max(cursor, e.y + std::max(0.0, e.h));
            bottom = std::max(bottom, e.y + std::max(0.0, e.h));
            s.elements << e;
        }
        s.height = givenHeight >= 0 ? givenHeight : bottom;
    }

    void checkTokens(const Template& t, const QString& textValue, int line) {
        static const QRegularExpression token(QStringLiteral("\\{\\?([^}]*)\\}"));
        auto it = token.globalMatch(textValue);
        while (it.hasNext()) {
            const QString name = it.next().captured(1);
            const bool known =
                std::any_of(t.parameters.begin(), t.parameters.end(), [&](const ParameterDef& p) {
                    return p.name.compare(name, Qt::CaseInsensitive) == 0;
                });
            if (!known)
                fail(QStringLiteral("{?%1} names no parameter of the template").arg(name), line);
        }
    }

    void finish(Template& t) {
        if (t.query.isEmpty() && (t.detail.present || !t.columns.isEmpty() || !t.groups.isEmpty()))
            fail(QStringLiteral("the report has rows to show but no <query>"));
        checkTokens(t, t.query, t.queryLine);
        const double lineHeight = t.fonts.value(0).size * 1.25;
        FontSpec boldFont = t.fonts.value(0);
        boldFont.bold = true;
        const int bold = t.fontIndex(boldFont);

        if (!t.columns.isEmpty()) {
            double x = 0;
            QList<double> xs;
            for (auto& c : t.columns) {
                xs << x;
                x += c.width;
                if (!c.alignGiven)
                    c.align = c.format.isEmpty() || c.format.contains('y') || c.format.contains('d')
                                  ? AlignLeft
                                  : AlignRight;
            }
            if (x > t.contentWidth() + 0.5)
                fail(QStringLiteral("the columns are %1 mm wide; the page holds %2 mm")
                         .arg(x * 25.4 / 72, 0, 'f', 1)
                         .arg(t.contentWidth() * 25.4 / 72, 0, 'f', 1),
                     columnsLine_);
            const double pad = 2;
            auto cell = [&](int i, ElementKind kind, double y, int font) {
                Element e;
                e.kind = kind;
                e.x = xs[i] + pad / 2;
                e.w = t.columns[i].width - pad;
                e.y = y;
                e.h = lineHeight;
                e.align = t.columns[i].align;
                e.font = font;
                e.format = t.columns[i].format;
                e.field = t.columns[i].field;
                e.func = t.columns[i].total;
                return e;
            };
            // Headings under whatever the page header already holds.
            const double y0 = t.pageHeader.height;
            for (int i = 0; i < t.columns.size(); ++i) {
                Element e = cell(i, ElementKind::Text, y0 + 2, bold);
                e.text = t.columns[i].heading;
                t.pageHeader.elements << e;
            }
            Element rule;
            rule.kind = ElementKind::Line;
            rule.y = y0 + 2 + lineHeight + 1;
            rule.w = x;
            t.pageHeader.elements << rule;
            t.pageHeader.height = rule.y + 3;
            t.pageHeader.present = true;
            if (!t.detail.present) {
                t.detail.present = true;
                t.detail.kind = SectionKind::Detail;
                for (int i = 0; i < t.columns.size(); ++i)
                    t.detail.elements << cell(i, ElementKind::Field, 0, 0);
                t.detail.height = lineHeight;
            }
            auto totalsRow = [&](Section& s, const QString& label, const QString& scope, double y) {
                int firstTotal = int(t.columns.size());
                for (int i = 0; i < t.columns.size(); ++i)
                    if (!t.columns[i].total.isEmpty()) {
                        firstTotal = i;
                        break;
                    }
                Element l;
                l.kind = ElementKind::Text;
                l.text = label;
                l.y = y;
                l.h = lineHeight;
                l.x = 1;
                l.w = firstTotal < t.columns.size() ? std::max(20.0, xs[firstTotal] - 2) : x - 2;
                l.font = bold;
                s.elements << l;
                for (int i = 0; i < t.columns.size(); ++i) {
                    if (t.columns[i].total.isEmpty())
                        continue;
                    Element e = cell(i, ElementKind::Total, y, bold);
                    e.scope = scope;
                    s.elements << e;
                }
                Element over;
                over.kind = ElementKind::Line;
                over.x = firstTotal < t.columns.size() ? xs[firstTotal] : 0;
                over.w = x - over.x;
                over.y = y;
                s.elements << over;
                s.height = std::max(s.height, y + lineHeight + 4);
                s.present = true;
            };
            for (auto& g : t.groups) {
                if (!g.header.present) {
                    g.header.present = true;
                    g.header.kind = SectionKind::GroupHeader;
                    Element e;
                    e.kind = ElementKind::Text;
                    e.text = g.heading;
                    e.y = 3;
                    e.w = x;
                    e.h = lineHeight;
                    e.font = bold;
                    g.header.elements << e;
                    g.header.height = lineHeight + 4;
                }
                if (!g.footer.present && g.footerTotals) {
                    g.footer.kind = SectionKind::GroupFooter;
                    totalsRow(g.footer, QStringLiteral("Total ") + g.heading, g.field, 1);
                }
            }
            const bool anyTotal = std::any_of(t.columns.begin(), t.columns.end(),
                                              [](const Column& c) { return !c.total.isEmpty(); });
            if (anyTotal) {
                Section grand;
                grand.kind = SectionKind::ReportFooter;
                totalsRow(grand, QStringLiteral("Grand Total"), QString(), 3);
                for (auto& e : t.reportFooter.elements)
                    e.y += grand.height;
                grand.elements << t.reportFooter.elements;
                grand.height += t.reportFooter.height;
                t.reportFooter = grand;
            }
            for (int i = 0; i < t.columns.size(); ++i) {
                t.sheetHeadings << t.columns[i].heading;
                t.sheetFormats << t.columns[i].format;
                t.sheetFields << t.columns[i].field;
                t.sheetWidths << t.columns[i].width;
            }
        } else {
            QList<const Element*> fields;
            for (const auto& e : t.detail.elements)
                if (e.kind == ElementKind::Field)
                    fields << &e;
            std::stable_sort(fields.begin(), fields.end(),
                             [](auto a, auto b) { return a->x < b->x; });
            for (auto e : fields) {
                if (t.sheetFields.contains(e->field, Qt::CaseInsensitive))
                    continue;
                t.sheetHeadings << e->field;
                t.sheetFormats << e->format;
                t.sheetFields << e->field;
                t.sheetWidths << e->w;
            }
        }

        // Which spreadsheet column each value feeds; totals scoped to their group.
        auto place = [&](Section& s, const QString& groupField) {
            for (auto& e : s.elements) {
                if (e.kind == ElementKind::Field || e.kind == ElementKind::Total ||
                    e.kind == ElementKind::RunningTotal)
                    e.sheetColumn = int(t.sheetFields.indexOf(QRegularExpression(
                        QStringLiteral("^%1$").arg(QRegularExpression::escape(e.field)),
                        QRegularExpression::CaseInsensitiveOption)));
                if (e.scope == QStringLiteral("\x01"))
                    e.scope = groupField;
                if (!e.scope.isEmpty() &&
                    (e.kind == ElementKind::Total || e.kind == ElementKind::RunningTotal)) {
                    const bool known =
                        std::any_of(t.groups.begin(), t.groups.end(), [&](const Group& g) {
                            return g.field.compare(e.scope, Qt::CaseInsensitive) == 0;
                        });
                    if (!known)
                        fail(QStringLiteral("the scope \"%1\" is not a group of the report")
                                 .arg(e.scope),
                             e.line);
                }
                if (e.kind == ElementKind::Text)
                    checkTokens(t, e.text, e.line);
            }
        };
        place(t.reportHeader, {});
        place(t.pageHeader, {});
        place(t.detail, {});
        place(t.reportFooter, {});
        place(t.pageFooter, {});
        for (auto& g : t.groups) {
            place(g.header, g.field);
            place(g.footer, g.field);
            checkTokens(t, g.heading, 0);
        }
    }

    QXmlStreamReader r_;
    QString path_;
    double scale_ = 72.0 / 25.4;
    int columnsLine_ = 0;
    double parentScale_ = 72.0 / 25.4;
    QMap<QString, FontSpec> styles_;
};

} // namespace

std::shared_ptr<Template> parseTemplate(const QByteArray& xml, const QString& displayPath) {
    return Loader(xml, displayPath).run();
}

std::shared_ptr<Template> loadTemplate(const QString& nativeFilePath) {
    QFile file(nativeFilePath);
    if (!file.exists())
        throw Error(QStringLiteral(
                        "The report template \"%1\" was not found. Check that the REPORTS folder "
                        "next to the program holds it.")
                        .arg(nativeFilePath));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("The report template \"%1\" could not be read: %2.")
                        .arg(nativeFilePath, file.errorString()));
    return parseTemplate(file.readAll(), nativeFilePath);
}

} // namespace pelmar::engine
