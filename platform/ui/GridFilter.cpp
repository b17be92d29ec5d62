#include "GridFilter.h"

#include <QDate>
#include <QStringList>

namespace ui {

namespace {

template <typename T> bool compare(GridFilter::Op op, const T& a, const T& b) {
    switch (op) {
    case GridFilter::Op::Equal:
    case GridFilter::Op::Contains:
        return a == b;
    case GridFilter::Op::NotEqual:
        return !(a == b);
    case GridFilter::Op::Less:
        return a < b;
    case GridFilter::Op::LessEqual:
        return a < b || a == b;
    case GridFilter::Op::Greater:
        return b < a;
    case GridFilter::Op::GreaterEqual:
        return b < a || a == b;
    }
    return false;
}

} // namespace

GridFilter::Op GridFilter::splitOperator(QString& text) {
    static const std::pair<const char*, Op> ops[] = {
        {">=", Op::GreaterEqual}, {"<=", Op::LessEqual}, {"<>", Op::NotEqual},
        {">", Op::Greater},       {"<", Op::Less},       {"=", Op::Equal}};
    for (const auto& [token, op] : ops) {
        const QLatin1String t(token);
        if (text.startsWith(t)) {
            text = text.mid(t.size()).trimmed();
            return op;
        }
    }
    return Op::Contains;
}

bool GridFilter::parseNumber(const QString& text, const QLocale& locale, db::Decimal* out) {
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    if (s.isEmpty())
        return false;
    bool ok = false;
    // the workstation's separators first ("1.234,5" in Indonesian), then a plain number
    QString local = s;
    local.remove(locale.groupSeparator());
    local.replace(locale.decimalPoint(), QStringLiteral("."));
    db::Decimal d = db::Decimal::fromString(local, &ok);
    if (!ok)
        d = db::Decimal::fromString(s, &ok);
    if (!ok)
        return false;
    *out = negative ? -d : d;
    return true;
}

bool GridFilter::parseDate(const QString& text, const QLocale& locale, const QString& datePattern,
                           QDate* out) {
    const QString s = text.trimmed();
    QStringList patterns;
    if (!datePattern.isEmpty())
        patterns << datePattern;
    patterns << locale.dateFormat(QLocale::ShortFormat) << QStringLiteral("dd/MM/yyyy")
             << QStringLiteral("d/M/yyyy") << QStringLiteral("yyyy-MM-dd")
             << QStringLiteral("dd-MM-yyyy") << QStringLiteral("dd.MM.yyyy");
    for (const QString& p : patterns) {
        const QDate d = QDate::fromString(s, p);
        if (d.isValid()) {
            *out = d;
            return true;
        }
    }
    return false;
}

std::vector<char> GridFilter::evaluate(const GridColumnCache& cache, const QString& text,
                                       const QLocale& locale, const QString& datePattern) {
    QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    const int n = cache.distinctCount();
    std::vector<char> match(static_cast<size_t>(n), 0);
    const Op op = splitOperator(t);
    if (t.isEmpty()) // a bare operator sets no condition yet
        return {};
    const QString needle = t.toCaseFolded();
    auto containsAll = [&](const QString& what) {
        for (int c = 1; c < n; ++c)
            match[static_cast<size_t>(c)] = cache.entry(c).search.contains(what);
    };

    switch (cache.kind()) {
    case GridColumnCache::Kind::Number: {
        db::Decimal value;
        const bool parsed = parseNumber(t, locale, &value);
        if (op == Op::Contains) {
            QString plain = needle;
            plain.remove(locale.groupSeparator());
            containsAll(plain);
            if (parsed) // "-5" finds "(5)" too
                for (int c = 1; c < n; ++c)
                    match[static_cast<size_t>(c)] |= cache.entry(c).number == value.raw();
        } else if (parsed) {
            for (int c = 1; c < n; ++c)
                match[static_cast<size_t>(c)] = compare(op, cache.entry(c).number, value.raw());
        }
        break;
    }
    case GridColumnCache::Kind::Date: {
        QDate date;
        const bool parsed = parseDate(t, locale, datePattern, &date);
        if (op == Op::Contains && !parsed) {
            containsAll(needle);
        } else if (parsed) {
            const qint64 day = date.toJulianDay();
            for (int c = 1; c < n; ++c)
                match[static_cast<size_t>(c)] = compare(op, cache.entry(c).day, day);
        }
        break;
    }
    case GridColumnCache::Kind::Bool: {
        static const QStringList yes = {QStringLiteral("1"),  QStringLiteral("true"),
                                        QStringLiteral("ya"), QStringLiteral("y"),
                                        QStringLiteral("x"),  QStringLiteral("v")};
        static const QStringList no = {QStringLiteral("0"), QStringLiteral("false"),
                                       QStringLiteral("tidak"), QStringLiteral("n")};
        int wanted = yes.contains(needle) ? 1 : no.contains(needle) ? 0 : -1;
        if (wanted < 0) {
            containsAll(needle);
            break;
        }
        if (op == Op::NotEqual)
            wanted = 1 - wanted;
        // an empty check box reads as unchecked
        match[0] = wanted == 0;
        for (int c = 1; c < n; ++c)
            match[static_cast<size_t>(c)] = cache.entry(c).key == wanted;
        break;
    }
    case GridColumnCache::Kind::Text:
        if (op == Op::Contains) {
            containsAll(needle);
        } else {
            for (int c = 1; c < n; ++c)
                match[static_cast<size_t>(c)] = compare(op, cache.entry(c).search, needle);
            if (op == Op::NotEqual || op == Op::Less || op == Op::LessEqual)
                match[0] = 1; // empty cells differ from and sort before any text
        }
        break;
    }
    return match;
}

} // namespace ui
