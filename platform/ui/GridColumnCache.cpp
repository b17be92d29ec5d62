#include "GridColumnCache.h"

#include <QHash>
#include <algorithm>
#include <numeric>

namespace ui {

namespace {

GridColumnCache::Kind kindOf(db::FieldType type) {
    switch (type) {
    case db::FieldType::Integer:
    case db::FieldType::Decimal:
    case db::FieldType::Float:
        return GridColumnCache::Kind::Number;
    case db::FieldType::DateTime:
        return GridColumnCache::Kind::Date;
    case db::FieldType::Boolean:
        return GridColumnCache::Kind::Bool;
    case db::FieldType::Text:
        break;
    }
    return GridColumnCache::Kind::Text;
}

DisplayFormat dateFormatFor(const GridColumn& column) {
    if (column.format.isDate())
        return column.dateOnly && column.format.kind() == DisplayFormat::Kind::DateTime
                   ? DisplayFormat::dateOnly(column.format.locale())
                   : column.format;
    return column.dateOnly ? DisplayFormat::dateOnly() : DisplayFormat::dateTime();
}

} // namespace

void GridColumnCache::clear() {
    m_codes.clear();
    m_dict.assign(1, Entry{});
    m_field = -1;
}

GridColumnCache::Entry GridColumnCache::makeEntry(const QVariant& value) const {
    Entry e;
    if (!value.isValid() || value.isNull())
        return e;
    switch (m_kind) {
    case Kind::Text: {
        QString s = db::Dataset::toString(value);
        if (s.isEmpty())
            return e;
        e.display = m_column.upperCase ? s.toUpper() : s;
        e.search = e.display.toCaseFolded();
        break;
    }
    case Kind::Number: {
        e.number = db::Dataset::toDecimal(value).raw();
        const db::Decimal d = db::Decimal::fromRaw(e.number);
        e.display = m_column.format.isNumber() ? m_column.format.formatNumber(d) : d.toString();
        QString search = e.display;
        if (!m_groupSeparator.isEmpty())
            search.remove(m_groupSeparator);
        e.search = search.toCaseFolded();
        break;
    }
    case Kind::Date: {
        const QDateTime dt = value.metaType().id() == QMetaType::QDate
                                 ? QDateTime(value.toDate(), QTime(0, 0))
                                 : value.toDateTime();
        if (!dt.isValid())
            return e;
        e.day = dt.date().toJulianDay();
        e.key = m_column.dateOnly ? e.day : dt.toMSecsSinceEpoch();
        e.display = dateFormatFor(m_column).format(dt);
        e.search = e.display.toCaseFolded();
        break;
    }
    case Kind::Bool:
        e.key = db::Dataset::toBool(value) ? 1 : 0;
        if (!m_column.checkBox)
            e.display = e.key ? QStringLiteral("Ya") : QStringLiteral("Tidak");
        e.search = e.display.toCaseFolded();
        break;
    }
    e.null = false;
    return e;
}

bool GridColumnCache::less(const Entry& a, const Entry& b) const {
    if (a.null != b.null)
        return a.null;
    switch (m_kind) {
    case Kind::Text: {
        const int c = a.search.compare(b.search);
        return c != 0 ? c < 0 : a.display < b.display;
    }
    case Kind::Number:
        return a.number < b.number;
    case Kind::Date:
    case Kind::Bool:
        return a.key < b.key;
    }
    return false;
}

void GridColumnCache::build(const db::Dataset& dataset, int field, const GridColumn& column) {
    m_column = column;
    m_field = field;
    m_kind = kindOf(dataset.field(field).type);
    if (column.checkBox)
        m_kind = Kind::Bool;
    m_groupSeparator = column.format.isNumber() && column.format.grouping()
                           ? column.format.locale().groupSeparator()
                           : QString();
    const int rows = dataset.rowCount();
    m_codes.assign(static_cast<size_t>(rows), 0);
    m_dict.assign(1, Entry{});

    // Distinct values first (by a cheap key), entries formatted once per distinct value.
    std::vector<int> firstRow; // distinct value -> a row holding it
    std::vector<int> rowDistinct(static_cast<size_t>(rows), -1);
    if (m_kind == Kind::Text) {
        QHash<QString, int> ids;
        ids.reserve(rows / 4 + 16);
        for (int r = 0; r < rows; ++r) {
            const QVariant v = dataset.value(r, field);
            if (v.isNull())
                continue;
            QString s = db::Dataset::toString(v);
            if (s.isEmpty())
                continue;
            if (column.upperCase)
                s = s.toUpper();
            auto it = ids.constFind(s);
            if (it == ids.constEnd()) {
                it = ids.insert(s, static_cast<int>(firstRow.size()));
                firstRow.push_back(r);
            }
            rowDistinct[static_cast<size_t>(r)] = it.value();
        }
    } else {
        std::vector<std::pair<db::Decimal::Raw, int>> keyed;
        keyed.reserve(static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            const Entry e = [&] {
                // only the key matters here; the display text is made per distinct value below
                const QVariant v = dataset.value(r, field);
                Entry k;
                if (!v.isValid() || v.isNull())
                    return k;
                k.null = false;
                if (m_kind == Kind::Number) {
                    k.number = db::Dataset::toDecimal(v).raw();
                } else if (m_kind == Kind::Bool) {
                    k.number = db::Dataset::toBool(v) ? 1 : 0;
                } else {
                    const QDateTime dt = v.metaType().id() == QMetaType::QDate
                                             ? QDateTime(v.toDate(), QTime(0, 0))
                                             : v.toDateTime();
                    if (!dt.isValid())
                        k.null = true;
                    else
                        k.number =
                            column.dateOnly ? dt.date().toJulianDay() : dt.toMSecsSinceEpoch();
                }
                return k;
            }();
            if (!e.null)
                keyed.emplace_back(e.number, r);
        }
        std::sort(keyed.begin(), keyed.end());
        for (size_t i = 0; i < keyed.size(); ++i) {
            if (i == 0 || keyed[i].first != keyed[i - 1].first)
                firstRow.push_back(keyed[i].second);
            rowDistinct[static_cast<size_t>(keyed[i].second)] =
                static_cast<int>(firstRow.size()) - 1;
        }
    }

    std::vector<Entry> entries;
    entries.reserve(firstRow.size());
    for (int r : firstRow)
        entries.push_back(makeEntry(dataset.value(r, field)));
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    if (m_kind == Kind::Text)
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return less(entries[a], entries[b]); });
    std::vector<int> codeOf(entries.size());
    m_dict.reserve(entries.size() + 1);
    for (size_t i = 0; i < order.size(); ++i) {
        codeOf[static_cast<size_t>(order[i])] = static_cast<int>(i) + 1;
        m_dict.push_back(std::move(entries[static_cast<size_t>(order[i])]));
    }
    for (int r = 0; r < rows; ++r) {
        const int d = rowDistinct[static_cast<size_t>(r)];
        m_codes[static_cast<size_t>(r)] = d < 0 ? 0 : codeOf[static_cast<size_t>(d)];
    }
}

int GridColumnCache::codeFor(const QVariant& value) {
    Entry e = makeEntry(value);
    if (e.null)
        return 0;
    auto it = std::lower_bound(m_dict.begin() + 1, m_dict.end(), e,
                               [this](const Entry& a, const Entry& b) { return less(a, b); });
    const int pos = static_cast<int>(it - m_dict.begin());
    if (it != m_dict.end() && !less(e, *it))
        return pos;
    m_dict.insert(it, std::move(e));
    for (int& c : m_codes)
        if (c >= pos)
            ++c;
    return pos;
}

bool GridColumnCache::updateRow(int row, const QVariant& value) {
    if (row < 0 || row >= rowCount())
        return false;
    const int c = codeFor(value);
    int& current = m_codes[static_cast<size_t>(row)];
    if (current == c)
        return false;
    current = c;
    return true;
}

void GridColumnCache::insertRow(int row, const QVariant& value) {
    row = std::clamp(row, 0, rowCount());
    const int c = codeFor(value);
    m_codes.insert(m_codes.begin() + row, c);
}

void GridColumnCache::removeRow(int row) {
    if (row >= 0 && row < rowCount())
        m_codes.erase(m_codes.begin() + row);
}

} // namespace ui
