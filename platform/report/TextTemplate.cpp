#include "TextTemplate.h"

#include "ExpressionContext.h"
#include "ReportError.h"
#include "ValueFormatter.h"

namespace report {

TextTemplate TextTemplate::parse(const QString& text) {
    TextTemplate t;
    t.m_source = text;
    QString literal;
    int i = 0;
    while (i < text.size()) {
        if (text[i] != u'[') {
            literal += text[i++];
            continue;
        }
        int depth = 0;
        int j = i;
        QChar quote;
        for (; j < text.size(); ++j) {
            const QChar c = text[j];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if ((c == u'\'' || c == u'"') && depth > 0 && j > i) {
                quote = c;
            } else if (c == u'[') {
                ++depth;
            } else if (c == u']' && --depth == 0) {
                break;
            }
        }
        if (j >= text.size())
            throw ReportError(QStringLiteral("Text \"%1\": missing ']'").arg(text));
        if (!literal.isEmpty()) {
            t.m_parts.push_back({literal, {}});
            literal.clear();
        }
        // [name] is a reference, [expression] an expression: both parse the same way.
        t.m_parts.push_back({{}, Expression::parse(text.mid(i, j - i + 1))});
        t.m_constant = false;
        i = j + 1;
    }
    if (!literal.isEmpty())
        t.m_parts.push_back({literal, {}});
    return t;
}

QString TextTemplate::evaluate(ExpressionContext& context) const {
    if (m_parts.size() == 1 && m_parts[0].expression.isNull())
        return m_parts[0].literal;
    QString out;
    for (const Part& p : m_parts) {
        if (p.expression.isNull())
            out += p.literal;
        else
            out += context.formatter().display(p.expression.evaluate(context));
    }
    return out;
}

bool TextTemplate::usesPageCount() const {
    for (const Part& p : m_parts)
        if (!p.expression.isNull() && p.expression.usesPageCount())
            return true;
    return false;
}

} // namespace report
