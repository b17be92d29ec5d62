#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace report {

class ExpressionContext;

// One node of a parsed expression.
struct ExprNode {
    enum class Kind { Literal, Field, Variable, Page, Pages, Date, Time, Unary, Binary, Call };
    Kind kind = Kind::Literal;
    QVariant value;  // literal
    QString name;    // variable, field, function (upper case) or operator
    QString dataset; // field
    std::vector<std::unique_ptr<ExprNode>> args;
};

// A small expression language parsed once into a tree: [ds.Field] references,
// variables, numbers, 'text', arithmetic, & and + concatenation, comparisons,
// AND/OR/NOT, IIF, FORMAT, aggregates and PAGE/PAGES/DATE/TIME.
class Expression {
public:
    Expression() = default;
    // Throws ReportError naming the expression and the position of the fault.
    static Expression parse(const QString& text);

    bool isNull() const { return !m_root; }
    const QString& text() const { return m_text; }
    const ExprNode* root() const { return m_root.get(); }
    QVariant evaluate(ExpressionContext& context) const;
    bool evaluateBool(ExpressionContext& context) const { return truth(evaluate(context)); }
    bool usesPageCount() const;

    static QVariant evaluateNode(const ExprNode& node, ExpressionContext& context);
    static bool truth(const QVariant& value);
    static bool isAggregate(const QString& upperName);
    // Arithmetic on report values: exact for decimals and integers.
    static QVariant add(const QVariant& a, const QVariant& b);
    static QVariant subtract(const QVariant& a, const QVariant& b);
    static QVariant multiply(const QVariant& a, const QVariant& b);
    static QVariant divide(const QVariant& a, const QVariant& b);
    static int compare(const QVariant& a, const QVariant& b);

private:
    std::shared_ptr<const ExprNode> m_root;
    QString m_text;
};

} // namespace report
