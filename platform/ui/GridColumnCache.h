#pragma once

#include "GridColumn.h"
#include "db/Dataset.h"

#include <QString>
#include <vector>

namespace ui {

// The values of one grid column held as integer codes into a dictionary of the column's
// distinct values, sorted by value. Sorting and grouping compare codes; filters are
// evaluated once per distinct value; display texts are formatted once per distinct value.
// Code 0 is always the null value (empty text).
class GridColumnCache {
public:
    enum class Kind { Text, Number, Date, Bool };

    struct Entry {
        QString display; // text shown in the cell
        QString search;  // case-folded text matched by the filter row
        db::Decimal::Raw number = 0;
        qint64 key = 0; // dates: msecs (or julian day when date-only); booleans: 0/1
        qint64 day = 0; // dates: julian day
        bool null = true;
    };

    void build(const db::Dataset& dataset, int field, const GridColumn& column);
    void clear();

    Kind kind() const { return m_kind; }
    int field() const { return m_field; }
    int rowCount() const { return static_cast<int>(m_codes.size()); }
    int code(int row) const { return m_codes[static_cast<size_t>(row)]; }
    const std::vector<int>& codes() const { return m_codes; }
    int distinctCount() const { return static_cast<int>(m_dict.size()); }
    const Entry& entry(int code) const { return m_dict[static_cast<size_t>(code)]; }
    const QString& display(int code) const { return m_dict[static_cast<size_t>(code)].display; }
    const QString& displayAt(int row) const { return display(code(row)); }
    bool checkedAt(int row) const { return m_kind == Kind::Bool && entry(code(row)).key != 0; }

    // Keeps the codes in value order through local edits. Returns true when the row's
    // code changed.
    bool updateRow(int row, const QVariant& value);
    void insertRow(int row, const QVariant& value);
    void removeRow(int row);

private:
    Entry makeEntry(const QVariant& value) const;
    bool less(const Entry& a, const Entry& b) const;
    int codeFor(const QVariant& value); // finds or inserts the value's dictionary entry

    Kind m_kind = Kind::Text;
    int m_field = -1;
    GridColumn m_column;
    QString m_groupSeparator;
    std::vector<int> m_codes;
    std::vector<Entry> m_dict = std::vector<Entry>(1);
};

} // namespace ui
