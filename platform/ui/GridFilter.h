#pragma once

#include "GridColumnCache.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace ui {

// Turns what the user typed in a column's filter cell into a match flag per distinct value
// of the column. Text matches case-insensitively as a substring of the shown text; numbers
// and dates also take a comparison: "100", ">1000", "<=5", "<>0", ">=01/03/2024". A plain
// number or date matches the shown text as typed (group separators ignored) or, for a full
// date, the day. A comparison with a value that cannot be read matches nothing.
class GridFilter {
public:
    enum class Op { Contains, Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    // Empty result: the text sets no condition (blank).
    static std::vector<char> evaluate(const GridColumnCache& cache, const QString& text,
                                      const QLocale& locale = QLocale(),
                                      const QString& datePattern = QString());

    // Splits a leading comparison operator off the text.
    static Op splitOperator(QString& text);
    static bool parseNumber(const QString& text, const QLocale& locale, db::Decimal* out);
    static bool parseDate(const QString& text, const QLocale& locale, const QString& datePattern,
                          QDate* out);
};

} // namespace ui
