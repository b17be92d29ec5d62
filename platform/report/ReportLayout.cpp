#include "ReportLayout.h"

#include "ReportError.h"
#include "db/Dataset.h"

#include <QtMath>
#include <cmath>

namespace report {

namespace {
const QChar kPagesMark(0xE000); // stands for the page total until pagination ends
constexpr double kEps = 1e-6;
} // namespace

ReportLayout::ReportLayout(const ReportTemplate& tpl, const QHash<QString, db::Dataset*>& datasets,
                           const QHash<QString, QVariant>& variables, const QLocale& locale,
                           const QDateTime& printTime)
    : m_tpl(tpl), m_datasets(datasets), m_variables(variables), m_formatter(locale),
      m_printTime(printTime) {
    m_pageSize = tpl.page().sizeMm();
    const QMarginsF m = tpl.page().margins;
    m_contentWidth = m_pageSize.width() - m.left() - m.right();
}

void ReportLayout::fail(int line, const QString& what) const {
    throw ReportError(QStringLiteral("%1:%2: %3").arg(m_tpl.fileName()).arg(line).arg(what));
}

db::Dataset* ReportLayout::dataset(const QString& name, int line) const {
    db::Dataset* ds = m_datasets.value(name.toLower());
    if (!ds)
        fail(line, QStringLiteral("the dataset '%1' was not handed to the report").arg(name));
    return ds;
}

int& ReportLayout::rowSlot(const db::Dataset* ds) {
    auto it = m_rows.find(ds);
    if (it == m_rows.end())
        it = m_rows.emplace(ds, ds->currentRow() >= 0 ? ds->currentRow() : 0).first;
    return it->second;
}

QVariant ReportLayout::fieldValue(const ExprNode& node) {
    auto it = m_bindings.find(&node);
    if (it == m_bindings.end()) {
        Binding b;
        db::Dataset* ds = dataset(node.dataset, m_currentLine);
        b.dataset = ds;
        b.field = ds->fieldIndex(node.name);
        if (b.field < 0)
            fail(m_currentLine,
                 QStringLiteral("the dataset '%1' has no field '%2'").arg(node.dataset, node.name));
        b.row = &rowSlot(ds);
        it = m_bindings.insert(&node, b);
    }
    return it->dataset->value(*it->row, it->field);
}

QVariant ReportLayout::variable(const QString& name) {
    const auto it = m_variables.constFind(name.toLower());
    if (it == m_variables.constEnd())
        fail(m_currentLine, QStringLiteral("the variable '%1' is not set").arg(name));
    return *it;
}

QVariant ReportLayout::pageCount() {
    return QString(kPagesMark);
}

QVariant ReportLayout::aggregate(const ExprNode& call) {
    if (m_scopes.empty())
        fail(m_currentLine, QStringLiteral("%1 has no rows to run over here").arg(call.name));
    const Scope* scope = &m_scopes.back();
    const bool countRows = call.name == u"COUNT" && call.args.empty();
    if (call.args.size() == 2) {
        const ExprNode& s = *call.args[1];
        const QString name = s.kind == ExprNode::Kind::Literal ? s.value.toString() : s.name;
        scope = nullptr;
        for (auto it = m_scopes.rbegin(); it != m_scopes.rend(); ++it)
            if (it->name.compare(name, Qt::CaseInsensitive) == 0) {
                scope = &*it;
                break;
            }
        if (!scope)
            fail(
                m_currentLine,
                QStringLiteral("%1: no enclosing group or report named '%2'").arg(call.name, name));
    }
    if (countRows)
        return scope->end - scope->begin;
    const auto key =
        std::make_tuple(static_cast<const void*>(&call), static_cast<const void*>(scope->rows),
                        scope->begin, scope->end);
    const auto cached = m_aggregates.find(key);
    if (cached != m_aggregates.end())
        return cached->second;

    QVariant result;
    int count = 0;
    if (scope->dataset) {
        int& slot = rowSlot(scope->dataset);
        const int saved = slot;
        for (int i = scope->begin; i < scope->end; ++i) {
            slot = (*scope->rows)[size_t(i)];
            const QVariant v = Expression::evaluateNode(*call.args[0], *this);
            if (v.isNull())
                continue;
            ++count;
            if (call.name == u"SUM" || call.name == u"AVG")
                result = result.isNull() ? Expression::add(0, v) : Expression::add(result, v);
            else if (call.name == u"MIN")
                result = result.isNull() || Expression::compare(v, result) < 0 ? v : result;
            else if (call.name == u"MAX")
                result = result.isNull() || Expression::compare(v, result) > 0 ? v : result;
        }
        slot = saved;
    }
    if (call.name == u"COUNT")
        result = count;
    else if (call.name == u"SUM" && result.isNull())
        result = 0;
    else if (call.name == u"AVG")
        result = count ? Expression::divide(result, count) : QVariant();
    m_aggregates.emplace(key, result);
    return result;
}

bool ReportLayout::visible(const Expression& condition, int line) {
    if (condition.isNull())
        return true;
    m_currentLine = line;
    return condition.evaluateBool(*this);
}

ReportLayout::Built ReportLayout::build(const Band& band) {
    Built out;
    struct Measured {
        const ReportObject* object;
        QString text;
        double needed;
    };
    std::vector<Measured> shown;
    shown.reserve(band.objects.size());
    double height = band.height;
    for (const ReportObject& o : band.objects) {
        m_currentLine = o.sourceLine;
        if (!visible(o.visible, o.sourceLine))
            continue;
        Measured m{&o, {}, 0};
        if (o.type == ReportObject::Type::Text) {
            const QString text = o.text.evaluate(*this);
            const double inner = o.rect.width() - 2 * o.padding;
            const QStringList lines =
                o.wrap && inner > 0 ? m_measure.wrap(o.font, text, inner) : text.split(u'\n');
            m.text = lines.join(u'\n');
            m.needed = lines.size() * m_measure.lineHeightMm(o.font) + 2 * o.padding / 3;
            if (band.stretch)
                height = qMax(height, o.rect.y() + m.needed);
        }
        shown.push_back(std::move(m));
    }
    const double grow = height - band.height;
    for (const Measured& m : shown) {
        const ReportObject& o = *m.object;
        QRectF r = o.rect;
        if (grow > kEps && o.stretch && r.bottom() >= band.height - 0.01)
            r.setBottom(height);
        PagePrimitive p;
        p.color = o.color;
        switch (o.type) {
        case ReportObject::Type::Text: {
            if (o.fill.isValid()) {
                PagePrimitive f;
                f.kind = PagePrimitive::Kind::Rect;
                f.rect = r;
                f.fill = o.fill;
                f.penWidth = 0;
                out.items.push_back(f);
            }
            p.kind = PagePrimitive::Kind::Text;
            const double pad = o.padding;
            p.rect = r.adjusted(pad, pad / 3, -pad, -pad / 3);
            p.text = m.text;
            p.font = o.font;
            p.flags = int(o.align);
            out.items.push_back(p);
            const struct {
                int flag;
                QLineF line;
            } sides[] = {{LeftBorder, QLineF(r.topLeft(), r.bottomLeft())},
                         {TopBorder, QLineF(r.topLeft(), r.topRight())},
                         {RightBorder, QLineF(r.topRight(), r.bottomRight())},
                         {BottomBorder, QLineF(r.bottomLeft(), r.bottomRight())}};
            for (const auto& side : sides) {
                if (!(o.borders & side.flag))
                    continue;
                PagePrimitive l;
                l.kind = PagePrimitive::Kind::Line;
                l.line = side.line;
                l.penWidth = o.borderWidth;
                l.color = o.color;
                out.items.push_back(l);
            }
            break;
        }
        case ReportObject::Type::Line: {
            p.kind = PagePrimitive::Kind::Line;
            p.line = o.line;
            p.penWidth = o.borderWidth;
            if (grow > kEps && o.stretch && qFuzzyCompare(o.line.x1(), o.line.x2())) {
                if (o.line.y2() >= band.height - 0.01)
                    p.line.setP2(QPointF(o.line.x2(), height));
                if (o.line.y1() >= band.height - 0.01)
                    p.line.setP1(QPointF(o.line.x1(), height));
            }
            out.items.push_back(p);
            break;
        }
        case ReportObject::Type::Rect:
            p.kind = PagePrimitive::Kind::Rect;
            p.rect = r;
            p.fill = o.fill;
            p.penWidth = o.borderWidth;
            out.items.push_back(p);
            break;
        case ReportObject::Type::Image: {
            p.kind = PagePrimitive::Kind::Image;
            p.image = o.image;
            QRectF target = r;
            if (o.keepAspect && !o.image.isNull() && o.image.height() > 0) {
                const QSizeF s = QSizeF(o.image.size()).scaled(r.size(), Qt::KeepAspectRatio);
                target = QRectF(r.topLeft(), s);
            }
            p.rect = target;
            out.items.push_back(p);
            break;
        }
        }
    }
    out.height = height;
    return out;
}

void ReportLayout::placeAt(Built&& built, double top) {
    Page& page = m_pages.back();
    const double left = m_tpl.page().margins.left();
    for (PagePrimitive& p : built.items) {
        p.rect.translate(left, top);
        p.line.translate(left, top);
        page.items.push_back(std::move(p));
    }
}

void ReportLayout::placeFixed(const Band& band) {
    if (!band.present || !visible(band.visible, band.sourceLine))
        return;
    Built b = build(band);
    const double h = b.height;
    placeAt(std::move(b), m_cursor);
    m_cursor += h;
}

void ReportLayout::placeBody(const Band& band, double keepWith) {
    if (!band.present || !visible(band.visible, band.sourceLine))
        return;
    Built b = build(band);
    if (m_cursor + b.height + keepWith > m_limit + kEps && m_bodyStarted)
        newPage();
    const double h = b.height;
    placeAt(std::move(b), m_cursor);
    m_cursor += h;
    m_bodyStarted = true;
}

// A group footer that no longer fits takes the last data row with it to the next
// page, so a page never begins with a footer alone.
void ReportLayout::placeFooterKept(const Band& band) {
    if (!band.present || !visible(band.visible, band.sourceLine))
        return;
    Built b = build(band);
    if (m_cursor + b.height > m_limit + kEps && m_bodyStarted && m_keepStart >= 0) {
        Page& old = m_pages.back();
        std::vector<PagePrimitive> moved(std::make_move_iterator(old.items.begin() + m_keepStart),
                                         std::make_move_iterator(old.items.end()));
        old.items.erase(old.items.begin() + m_keepStart, old.items.end());
        const double oldTop = m_keepTop;
        const double blockHeight = m_cursor - oldTop;
        m_cursor = oldTop;
        newPage();
        const double dy = m_cursor - oldTop;
        m_keepStart = int(m_pages.back().items.size());
        m_keepTop = m_cursor;
        for (PagePrimitive& p : moved) {
            p.rect.translate(0, dy);
            p.line.translate(0, dy);
            m_pages.back().items.push_back(std::move(p));
        }
        m_cursor += blockHeight;
        m_bodyStarted = true;
    } else if (m_cursor + b.height > m_limit + kEps && m_bodyStarted) {
        newPage();
    }
    const double h = b.height;
    placeAt(std::move(b), m_cursor);
    m_cursor += h;
    m_bodyStarted = true;
}

void ReportLayout::startPage() {
    Page page;
    page.sizeMm = m_pageSize;
    m_pages.push_back(std::move(page));
    const PageSettings& ps = m_tpl.page();
    m_cursor = ps.margins.top();
    m_bodyStarted = false;
    m_keepStart = -1;
    const double footer =
        m_section && m_section->pageFooter.present ? m_section->pageFooter.height : 0;
    m_limit = m_pageSize.height() - ps.margins.bottom() - footer;

    if (!ps.watermark.source().isEmpty()) {
        const QString text = ps.watermark.evaluate(*this).trimmed();
        if (!text.isEmpty()) {
            PagePrimitive w;
            w.kind = PagePrimitive::Kind::Text;
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setBold(true);
            font.setHintingPreference(QFont::PreferNoHinting);
            font.setPointSizeF(100);
            const double diagonal = std::hypot(m_pageSize.width(), m_pageSize.height());
            const double at100 = m_measure.widthMm(font, text);
            const double size = qBound(10.0, 100 * diagonal * 0.55 / qMax(at100, 1.0), 220.0);
            font.setPointSizeF(size);
            const double lineH = m_measure.lineHeightMm(font);
            w.font = font;
            w.text = text;
            w.color = QColor(215, 215, 215);
            w.flags = Qt::AlignCenter;
            w.rotation = -qRadiansToDegrees(std::atan2(m_pageSize.height(), m_pageSize.width()));
            const QPointF centre(m_pageSize.width() / 2, m_pageSize.height() / 2);
            w.rect = QRectF(centre.x() - diagonal / 2, centre.y() - lineH / 2, diagonal, lineH);
            m_pages.back().items.push_back(w);
        }
    }
    if (!m_section)
        return;
    const std::vector<Scope> saved = m_scopes;
    if (!m_scopes.empty())
        m_scopes.resize(1);
    placeFixed(m_section->pageHeader);
    if (m_columnHeaderOn)
        placeFixed(m_section->columnHeader);
    m_scopes = saved;
    for (const auto& [group, scope] : m_openGroups) {
        if (!group->repeatHeader)
            continue;
        placeFixed(group->header);
    }
}

void ReportLayout::finishPage() {
    if (m_pages.empty() || !m_section || !m_section->pageFooter.present)
        return;
    const std::vector<Scope> saved = m_scopes;
    if (!m_scopes.empty())
        m_scopes.resize(1);
    const Band& footer = m_section->pageFooter;
    if (visible(footer.visible, footer.sourceLine)) {
        Built b = build(footer);
        placeAt(std::move(b), m_pageSize.height() - m_tpl.page().margins.bottom() - footer.height);
    }
    m_scopes = saved;
}

void ReportLayout::newPage() {
    finishPage();
    startPage();
}

void ReportLayout::runSection(const SectionSpec& section) {
    // Each section starts on a page of its own; the previous page keeps its footer.
    if (!m_pages.empty())
        finishPage();
    const db::Dataset* master =
        section.dataset.isEmpty() ? nullptr : dataset(section.dataset, section.title.sourceLine);
    const int n = master ? master->rowCount() : 0;
    m_allRows.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        m_allRows[size_t(i)] = i;
    m_scopes.clear();
    m_openGroups.clear();
    m_scopes.push_back({master, &m_allRows, 0, n, QStringLiteral("REPORT")});
    m_columnHeaderOn = false;

    m_aggregates.clear();
    m_detailIndex.clear();
    // Detail rows indexed by master key once.
    for (const DetailSpec& d : section.details) {
        const db::Dataset* detail = dataset(d.dataset, d.data.sourceLine);
        const int keyField = detail->fieldIndex(d.key);
        if (keyField < 0)
            fail(d.data.sourceLine,
                 QStringLiteral("the dataset '%1' has no field '%2'").arg(d.dataset, d.key));
        if (!master || master->fieldIndex(d.masterKey) < 0)
            fail(d.data.sourceLine, QStringLiteral("the master dataset '%1' has no field '%2'")
                                        .arg(section.dataset, d.masterKey));
        auto& index = m_detailIndex[&d];
        for (int i = 0; i < detail->rowCount(); ++i)
            index[m_formatter.display(detail->value(i, keyField))].push_back(i);
    }

    m_section = &section;
    startPage();

    placeBody(section.title);
    m_columnHeaderOn = true;
    placeFixed(section.columnHeader);

    // Pre-pass: group keys and where each group ends, for the group header sums.
    const size_t levels = section.groups.size();
    std::vector<std::vector<QVariant>> keys(levels, std::vector<QVariant>(size_t(n)));
    std::vector<std::vector<int>> ends(levels, std::vector<int>(size_t(n)));
    std::vector<int> breakLevel(size_t(n), 0); // first level whose key changes at a row
    if (master && levels) {
        int& slot = rowSlot(master);
        for (int r = 0; r < n; ++r) {
            slot = r;
            for (size_t l = 0; l < levels; ++l) {
                m_currentLine = section.groups[l].header.sourceLine;
                keys[l][size_t(r)] = section.groups[l].key.evaluate(*this);
            }
            int level = int(levels);
            if (r == 0)
                level = 0;
            else
                for (size_t l = 0; l < levels; ++l)
                    if (Expression::compare(keys[l][size_t(r)], keys[l][size_t(r - 1)]) != 0) {
                        level = int(l);
                        break;
                    }
            breakLevel[size_t(r)] = level;
        }
        for (size_t l = 0; l < levels; ++l)
            for (int r = n - 1; r >= 0; --r)
                ends[l][size_t(r)] = (r + 1 < n && breakLevel[size_t(r + 1)] > int(l))
                                         ? ends[l][size_t(r + 1)]
                                         : r + 1;
    }

    const auto closeGroups = [&](int downTo, int lastRow) {
        if (master)
            rowSlot(master) = lastRow;
        for (int l = int(m_openGroups.size()) - 1; l >= downTo; --l) {
            const GroupSpec& g = *m_openGroups[size_t(l)].first;
            if (g.keepTogether)
                placeFooterKept(g.footer);
            else
                placeBody(g.footer);
            m_openGroups.pop_back();
            m_scopes.pop_back();
        }
    };

    for (int r = 0; r < n; ++r) {
        const int level = breakLevel[size_t(r)];
        if (r > 0 && level < int(levels))
            closeGroups(level, r - 1);
        rowSlot(master) = r;
        for (int l = int(m_openGroups.size()); l < int(levels); ++l) {
            const GroupSpec& g = section.groups[size_t(l)];
            const Scope scope{master, &m_allRows, r, ends[size_t(l)][size_t(r)], g.name};
            if (g.newPage && m_bodyStarted)
                newPage();
            m_scopes.push_back(scope);
            m_openGroups.emplace_back(&g, scope);
            const double keep = section.data.present ? section.data.height : 0;
            placeBody(g.header, keep);
            QString text;
            m_currentLine = g.header.sourceLine;
            text = m_formatter.display(g.outline.isNull() ? keys[size_t(l)][size_t(r)]
                                                          : g.outline.evaluate(*this));
            m_outline.push_back({text, int(m_pages.size()) - 1, l});
        }
        printMasterRow(section, r);
    }
    if (n > 0)
        closeGroups(0, n - 1);
    m_scopes.resize(1);
    placeBody(section.summary);
    m_columnHeaderOn = false;
}

void ReportLayout::printMasterRow(const SectionSpec& section, int row) {
    const db::Dataset* master = m_scopes.front().dataset;
    rowSlot(master) = row;
    if (section.data.present && visible(section.data.visible, section.data.sourceLine)) {
        Built b = build(section.data);
        if (m_cursor + b.height > m_limit + kEps && m_bodyStarted)
            newPage();
        m_keepStart = int(m_pages.back().items.size());
        m_keepTop = m_cursor;
        const double h = b.height;
        placeAt(std::move(b), m_cursor);
        m_cursor += h;
        m_bodyStarted = true;
    }
    for (const DetailSpec& d : section.details) {
        const int line = d.data.present ? d.data.sourceLine : section.data.sourceLine;
        db::Dataset* detail = dataset(d.dataset, line);
        const int masterField = master->fieldIndex(d.masterKey);
        const auto& index = m_detailIndex[&d];
        const auto found = index.constFind(m_formatter.display(master->value(row, masterField)));
        if (found == index.constEnd())
            continue;
        const std::vector<int>& rows = *found;
        m_scopes.push_back({detail, &rows, 0, int(rows.size()), d.dataset});
        placeBody(d.header, d.data.present ? d.data.height : 0);
        int& slot = rowSlot(detail);
        for (int i : rows) {
            slot = i;
            if (!d.data.present || !visible(d.data.visible, d.data.sourceLine))
                continue;
            Built b = build(d.data);
            if (m_cursor + b.height > m_limit + kEps && m_bodyStarted)
                newPage();
            m_keepStart = int(m_pages.back().items.size());
            m_keepTop = m_cursor;
            const double h = b.height;
            placeAt(std::move(b), m_cursor);
            m_cursor += h;
            m_bodyStarted = true;
        }
        slot = rows.back();
        placeFooterKept(d.footer);
        m_scopes.pop_back();
    }
}

PreparedReport ReportLayout::run() {
    for (const SectionSpec& section : m_tpl.sections())
        runSection(section);
    finishPage();

    const QString total = QString::number(m_pages.size());
    for (Page& page : m_pages)
        for (PagePrimitive& p : page.items)
            if (p.kind == PagePrimitive::Kind::Text && p.text.contains(kPagesMark))
                p.text.replace(kPagesMark, total);

    PreparedReport prepared;
    auto& d = *prepared.m_d;
    d.name = m_tpl.name();
    d.sizeMm = m_pageSize;
    d.layout = m_tpl.page().layout();
    d.pages = std::move(m_pages);
    d.outline = std::move(m_outline);
    return prepared;
}

} // namespace report
