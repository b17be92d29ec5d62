#pragma once

#include "Expression.h"

#include <QString>
#include <vector>

namespace report {

class ExpressionContext;

// Text with embedded expressions: "No. [frxSPKPrint.SPKCode]" or
// "Page [PAGE] of [PAGES]". Parsed once; each [..] is an expression whose value
// is shown in its plain display form (use FORMAT for masks).
class TextTemplate {
public:
    TextTemplate() = default;
    static TextTemplate parse(const QString& text); // throws ReportError

    QString evaluate(ExpressionContext& context) const;
    bool isConstant() const { return m_constant; }
    bool usesPageCount() const;
    const QString& source() const { return m_source; }

private:
    struct Part {
        QString literal;
        Expression expression; // null for a literal part
    };
    std::vector<Part> m_parts;
    QString m_source;
    bool m_constant = true;
};

} // namespace report
