#include "Expression.h"

#include "ExpressionContext.h"
#include "ReportError.h"
#include "ValueFormatter.h"
#include "db/Decimal.h"

#include <QRegularExpression>

namespace report {

namespace {

using NodePtr = std::unique_ptr<ExprNode>;

NodePtr makeNode(ExprNode::Kind kind) {
    auto n = std::make_unique<ExprNode>();
    n->kind = kind;
    return n;
}

const QStringList& knownFunctions() {
    static const QStringList names = {"IIF",  "FORMAT", "UPPER", "LOWER", "TRIM", "ISNULL",
                                      "SUM",  "COUNT",  "AVG",   "MIN",   "MAX",  "ROUND",
                                      "PAGE", "PAGES",  "DATE",  "TIME"};
    return names;
}

class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) {}

    NodePtr parseAll() {
        NodePtr n = parseOr();
        skipSpace();
        if (m_pos < m_text.size())
            fail(QStringLiteral("unexpected '%1'").arg(m_text.mid(m_pos, 10)));
        return n;
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw ReportError(QStringLiteral("Expression \"%1\": %2 at position %3")
                              .arg(m_text, what)
                              .arg(m_pos + 1));
    }

    void skipSpace() {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    bool peekWord(const char* word) {
        skipSpace();
        const QString w = QString::fromLatin1(word);
        if (m_text.mid(m_pos, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const int after = m_pos + int(w.size());
        return after >= m_text.size() ||
               !(m_text[after].isLetterOrNumber() || m_text[after] == u'_');
    }

    bool acceptWord(const char* word) {
        if (!peekWord(word))
            return false;
        m_pos += int(qstrlen(word));
        return true;
    }

    bool accept(const char* op) {
        skipSpace();
        const QString o = QString::fromLatin1(op);
        if (m_text.mid(m_pos, o.size()) != o)
            return false;
        m_pos += int(o.size());
        return true;
    }

    NodePtr binary(const QString& op, NodePtr a, NodePtr b) {
        auto n = makeNode(ExprNode::Kind::Binary);
        n->name = op;
        n->args.push_back(std::move(a));
        n->args.push_back(std::move(b));
        return n;
    }

    NodePtr parseOr() {
        NodePtr left = parseAnd();
        while (acceptWord("OR"))
            left = binary(QStringLiteral("OR"), std::move(left), parseAnd());
        return left;
    }

    NodePtr parseAnd() {
        NodePtr left = parseNot();
        while (acceptWord("AND"))
            left = binary(QStringLiteral("AND"), std::move(left), parseNot());
        return left;
    }

    NodePtr parseNot() {
        if (acceptWord("NOT")) {
            auto n = makeNode(ExprNode::Kind::Unary);
            n->name = QStringLiteral("NOT");
            n->args.push_back(parseNot());
            return n;
        }
        return parseComparison();
    }

    NodePtr parseComparison() {
        NodePtr left = parseAdditive();
        for (const char* op : {"<>", "<=", ">=", "!=", "==", "=", "<", ">"}) {
            if (accept(op)) {
                QString o = QString::fromLatin1(op);
                if (o == u"!=")
                    o = QStringLiteral("<>");
                if (o == u"==")
                    o = QStringLiteral("=");
                return binary(o, std::move(left), parseAdditive());
            }
        }
        return left;
    }

    NodePtr parseAdditive() {
        NodePtr left = parseMultiplicative();
        for (;;) {
            if (accept("+"))
                left = binary(QStringLiteral("+"), std::move(left), parseMultiplicative());
            else if (accept("-"))
                left = binary(QStringLiteral("-"), std::move(left), parseMultiplicative());
            else if (accept("&"))
                left = binary(QStringLiteral("&"), std::move(left), parseMultiplicative());
            else
                return left;
        }
    }

    NodePtr parseMultiplicative() {
        NodePtr left = parseUnary();
        for (;;) {
            if (accept("*"))
                left = binary(QStringLiteral("*"), std::move(left), parseUnary());
            else if (accept("/"))
                left = binary(QStringLiteral("/"), std::move(left), parseUnary());
            else
                return left;
        }
    }

    NodePtr parseUnary() {
        if (accept("-")) {
            auto n = makeNode(ExprNode::Kind::Unary);
            n->name = QStringLiteral("-");
            n->args.push_back(parseUnary());
            return n;
        }
        if (accept("+"))
            return parseUnary();
        return parsePrimary();
    }

    NodePtr parseNumber() {
        const int start = m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isDigit() || m_text[m_pos] == u'.'))
            ++m_pos;
        const QString lit = m_text.mid(start, m_pos - start);
        auto n = makeNode(ExprNode::Kind::Literal);
        if (lit.contains(u'.')) {
            bool ok = false;
            const db::Decimal d = db::Decimal::fromString(lit, &ok);
            if (!ok)
                fail(QStringLiteral("bad number '%1'").arg(lit));
            n->value = QVariant::fromValue(d);
        } else {
            bool ok = false;
            const qlonglong v = lit.toLongLong(&ok);
            if (!ok)
                fail(QStringLiteral("bad number '%1'").arg(lit));
            n->value = v >= INT_MIN && v <= INT_MAX ? QVariant(int(v)) : QVariant(v);
        }
        return n;
    }

    NodePtr parseString() {
        const QChar quote = m_text[m_pos++];
        QString s;
        for (;;) {
            if (m_pos >= m_text.size())
                fail(QStringLiteral("unterminated text"));
            const QChar c = m_text[m_pos++];
            if (c == quote) {
                if (m_pos < m_text.size() && m_text[m_pos] == quote) { // doubled quote
                    s += c;
                    ++m_pos;
                    continue;
                }
                break;
            }
            s += c;
        }
        auto n = makeNode(ExprNode::Kind::Literal);
        n->value = s;
        return n;
    }

    // A name: dataset.field, a variable, or one of the page/date words.
    NodePtr reference(const QString& rawName) {
        const QString name = rawName.trimmed();
        const int dot = int(name.indexOf(u'.'));
        if (dot > 0) {
            auto n = makeNode(ExprNode::Kind::Field);
            n->dataset = name.left(dot).trimmed();
            n->name = name.mid(dot + 1).trimmed();
            if (n->name.isEmpty())
                fail(QStringLiteral("field name missing after '%1.'").arg(n->dataset));
            return n;
        }
        const QString upper = name.toUpper();
        if (upper == u"PAGE" || upper == u"PAGE#")
            return makeNode(ExprNode::Kind::Page);
        if (upper == u"PAGES" || upper == u"TOTALPAGES" || upper == u"TOTALPAGES#")
            return makeNode(ExprNode::Kind::Pages);
        if (upper == u"DATE")
            return makeNode(ExprNode::Kind::Date);
        if (upper == u"TIME")
            return makeNode(ExprNode::Kind::Time);
        if (upper == u"TRUE" || upper == u"FALSE") {
            auto n = makeNode(ExprNode::Kind::Literal);
            n->value = upper == u"TRUE";
            return n;
        }
        if (upper == u"NULL")
            return makeNode(ExprNode::Kind::Literal);
        if (name.isEmpty())
            fail(QStringLiteral("empty name"));
        auto n = makeNode(ExprNode::Kind::Variable);
        n->name = name;
        return n;
    }

    NodePtr parseBracket() {
        ++m_pos; // '['
        const int start = m_pos;
        int depth = 1;
        QChar quote;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == u'\'' || c == u'"') {
                quote = c;
            } else if (c == u'[') {
                ++depth;
            } else if (c == u']' && --depth == 0) {
                break;
            }
            ++m_pos;
        }
        if (m_pos >= m_text.size())
            fail(QStringLiteral("missing ']'"));
        const QString inner = m_text.mid(start, m_pos - start);
        ++m_pos; // ']'
        static const QRegularExpression plainName(QStringLiteral("^[^\\[\\]()'\"+*/&=<>,]+$"));
        if (plainName.match(inner).hasMatch() && !inner.trimmed().contains(u' '))
            return reference(inner);
        Parser sub(inner);
        return sub.parseAll();
    }

    NodePtr parsePrimary() {
        skipSpace();
        if (m_pos >= m_text.size())
            fail(QStringLiteral("unexpected end"));
        const QChar c = m_text[m_pos];
        if (c.isDigit())
            return parseNumber();
        if (c == u'\'' || c == u'"')
            return parseString();
        if (c == u'[')
            return parseBracket();
        if (c == u'(') {
            ++m_pos;
            NodePtr n = parseOr();
            if (!accept(")"))
                fail(QStringLiteral("missing ')'"));
            return n;
        }
        if (c.isLetter() || c == u'_') {
            const int start = m_pos;
            while (m_pos < m_text.size() &&
                   (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == u'_' ||
                    m_text[m_pos] == u'.' || m_text[m_pos] == u'#'))
                ++m_pos;
            const QString word = m_text.mid(start, m_pos - start);
            skipSpace();
            if (m_pos < m_text.size() && m_text[m_pos] == u'(' && !word.contains(u'.'))
                return parseCall(word);
            return reference(word);
        }
        fail(QStringLiteral("unexpected '%1'").arg(c));
    }

    NodePtr parseCall(const QString& word) {
        const QString upper = word.toUpper();
        if (!knownFunctions().contains(upper))
            fail(QStringLiteral("unknown function '%1'").arg(word));
        ++m_pos; // '('
        std::vector<NodePtr> args;
        if (!accept(")")) {
            for (;;) {
                args.push_back(parseOr());
                if (accept(")"))
                    break;
                if (!accept(","))
                    fail(QStringLiteral("expected ',' or ')'"));
            }
        }
        if (upper == u"PAGE" || upper == u"PAGES" || upper == u"DATE" || upper == u"TIME") {
            if (!args.empty())
                fail(QStringLiteral("%1 takes no arguments").arg(upper));
            return reference(upper);
        }
        const auto need = [&](size_t lo, size_t hi) {
            if (args.size() < lo || args.size() > hi)
                fail(QStringLiteral("wrong number of arguments to %1").arg(upper));
        };
        if (upper == u"IIF")
            need(3, 3);
        else if (upper == u"FORMAT" || upper == u"ISNULL")
            need(2, 2);
        else if (upper == u"ROUND")
            need(1, 2);
        else if (upper == u"COUNT")
            need(0, 2);
        else if (Expression::isAggregate(upper))
            need(1, 2);
        else
            need(1, 1);
        auto n = makeNode(ExprNode::Kind::Call);
        n->name = upper;
        n->args = std::move(args);
        return n;
    }

    QString m_text;
    int m_pos = 0;
};

bool isDecimal(const QVariant& v) {
    return v.metaType() == QMetaType::fromType<db::Decimal>();
}

bool isInteger(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool isExact(const QVariant& v) {
    return isDecimal(v) || isInteger(v) || v.isNull();
}

db::Decimal exact(const QVariant& v) {
    if (isDecimal(v))
        return v.value<db::Decimal>();
    if (v.isNull())
        return {};
    return db::Decimal::fromInt(v.toLongLong());
}

double toDouble(const QVariant& v) {
    if (isDecimal(v))
        return v.value<db::Decimal>().toDouble();
    if (v.typeId() == QMetaType::QString)
        return v.toString().trimmed().toDouble();
    return v.toDouble();
}

bool numeric(const QVariant& v) {
    return ValueFormatter::isNumber(v) || v.isNull() || v.typeId() == QMetaType::Bool;
}

QVariant arith(const QVariant& a, const QVariant& b, char op) {
    if ((isInteger(a) || a.isNull()) && (isInteger(b) || b.isNull()) && op != '/') {
        const qlonglong x = a.toLongLong(), y = b.toLongLong();
        const qlonglong r = op == '+' ? x + y : op == '-' ? x - y : x * y;
        return r >= INT_MIN && r <= INT_MAX ? QVariant(int(r)) : QVariant(r);
    }
    if (isExact(a) && isExact(b) && op != '/') {
        const db::Decimal x = exact(a), y = exact(b);
        return QVariant::fromValue(op == '+' ? x + y : op == '-' ? x - y : x * y);
    }
    const double x = toDouble(a), y = toDouble(b);
    switch (op) {
    case '+':
        return x + y;
    case '-':
        return x - y;
    case '*':
        return x * y;
    default:
        if (y == 0)
            return {}; // a division by zero shows nothing rather than "inf"
        return x / y;
    }
}

} // namespace

Expression Expression::parse(const QString& text) {
    Expression e;
    e.m_text = text;
    if (text.trimmed().isEmpty())
        throw ReportError(QStringLiteral("Empty expression"));
    Parser parser(text);
    e.m_root = parser.parseAll();
    return e;
}

QVariant Expression::evaluate(ExpressionContext& context) const {
    if (!m_root)
        return {};
    return evaluateNode(*m_root, context);
}

static bool nodeUsesPages(const ExprNode& n) {
    if (n.kind == ExprNode::Kind::Pages)
        return true;
    for (const auto& a : n.args)
        if (nodeUsesPages(*a))
            return true;
    return false;
}

bool Expression::usesPageCount() const {
    return m_root && nodeUsesPages(*m_root);
}

bool Expression::isAggregate(const QString& upper) {
    return upper == u"SUM" || upper == u"COUNT" || upper == u"AVG" || upper == u"MIN" ||
           upper == u"MAX";
}

bool Expression::truth(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isDecimal(v))
        return !v.value<db::Decimal>().isZero();
    if (ValueFormatter::isNumber(v))
        return v.toDouble() != 0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return !s.isEmpty() && s.compare(u"false", Qt::CaseInsensitive) != 0 && s != u"0";
    }
    return true;
}

QVariant Expression::add(const QVariant& a, const QVariant& b) {
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() + b.toString();
    return arith(a, b, '+');
}

QVariant Expression::subtract(const QVariant& a, const QVariant& b) {
    return arith(a, b, '-');
}

QVariant Expression::multiply(const QVariant& a, const QVariant& b) {
    return arith(a, b, '*');
}

QVariant Expression::divide(const QVariant& a, const QVariant& b) {
    return arith(a, b, '/');
}

int Expression::compare(const QVariant& a, const QVariant& b) {
    if (a.isNull() && b.isNull())
        return 0;
    if (numeric(a) && numeric(b)) {
        if (isExact(a) && isExact(b)) {
            const auto c = exact(a) <=> exact(b);
            return c < 0 ? -1 : c > 0 ? 1 : 0;
        }
        const double x = toDouble(a), y = toDouble(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (ValueFormatter::isDate(a) || ValueFormatter::isDate(b)) {
        const QDateTime x = ValueFormatter::toDateTime(a), y = ValueFormatter::toDateTime(b);
        if (x.isValid() && y.isValid())
            return x < y ? -1 : x > y ? 1 : 0;
    }
    if (numeric(a) || numeric(b)) { // a number against text that holds a number
        bool okA = true, okB = true;
        const double x =
            a.typeId() == QMetaType::QString ? a.toString().toDouble(&okA) : toDouble(a);
        const double y =
            b.typeId() == QMetaType::QString ? b.toString().toDouble(&okB) : toDouble(b);
        if (okA && okB)
            return x < y ? -1 : x > y ? 1 : 0;
    }
    const int c = a.toString().compare(b.toString());
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

QVariant Expression::evaluateNode(const ExprNode& n, ExpressionContext& ctx) {
    switch (n.kind) {
    case ExprNode::Kind::Literal:
        return n.value;
    case ExprNode::Kind::Field:
        return ctx.fieldValue(n);
    case ExprNode::Kind::Variable:
        return ctx.variable(n.name);
    case ExprNode::Kind::Page:
        return ctx.pageNumber();
    case ExprNode::Kind::Pages:
        return ctx.pageCount();
    case ExprNode::Kind::Date:
        return QDateTime(ctx.printTime().date(), QTime(0, 0));
    case ExprNode::Kind::Time:
        return ctx.printTime().time().toString(QStringLiteral("HH:mm"));
    case ExprNode::Kind::Unary: {
        const QVariant v = evaluateNode(*n.args[0], ctx);
        if (n.name == u"NOT")
            return !truth(v);
        return subtract(0, v);
    }
    case ExprNode::Kind::Binary: {
        if (n.name == u"AND")
            return truth(evaluateNode(*n.args[0], ctx)) && truth(evaluateNode(*n.args[1], ctx));
        if (n.name == u"OR")
            return truth(evaluateNode(*n.args[0], ctx)) || truth(evaluateNode(*n.args[1], ctx));
        const QVariant a = evaluateNode(*n.args[0], ctx);
        const QVariant b = evaluateNode(*n.args[1], ctx);
        const ushort op0 = n.name[0].unicode();
        if (n.name.size() == 1) {
            switch (op0) {
            case '+':
                return add(a, b);
            case '-':
                return subtract(a, b);
            case '*':
                return multiply(a, b);
            case '/':
                return divide(a, b);
            case '&':
                return ctx.formatter().display(a) + ctx.formatter().display(b);
            case '=':
                return compare(a, b) == 0;
            case '<':
                return compare(a, b) < 0;
            case '>':
                return compare(a, b) > 0;
            }
        }
        if (n.name == u"<>")
            return compare(a, b) != 0;
        if (n.name == u"<=")
            return compare(a, b) <= 0;
        if (n.name == u">=")
            return compare(a, b) >= 0;
        return {};
    }
    case ExprNode::Kind::Call: {
        if (isAggregate(n.name))
            return ctx.aggregate(n);
        if (n.name == u"IIF")
            return truth(evaluateNode(*n.args[0], ctx)) ? evaluateNode(*n.args[1], ctx)
                                                        : evaluateNode(*n.args[2], ctx);
        const QVariant a = evaluateNode(*n.args[0], ctx);
        if (n.name == u"FORMAT")
            return ctx.formatter().format(a, evaluateNode(*n.args[1], ctx).toString());
        if (n.name == u"ISNULL")
            return a.isNull() || (a.typeId() == QMetaType::QString && a.toString().isEmpty())
                       ? evaluateNode(*n.args[1], ctx)
                       : a;
        if (n.name == u"ROUND") {
            const int places = n.args.size() > 1 ? evaluateNode(*n.args[1], ctx).toInt() : 0;
            if (isExact(a))
                return QVariant::fromValue(exact(a).rounded(places));
            return QVariant::fromValue(db::Decimal::fromDouble(toDouble(a)).rounded(places));
        }
        const QString s = ctx.formatter().display(a);
        if (n.name == u"UPPER")
            return s.toUpper();
        if (n.name == u"LOWER")
            return s.toLower();
        if (n.name == u"TRIM")
            return s.trimmed();
        return {};
    }
    }
    return {};
}

} // namespace report
