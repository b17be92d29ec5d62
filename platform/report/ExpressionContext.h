#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace report {

struct ExprNode;
class ValueFormatter;

// What an expression can see while it is evaluated: the current rows of the
// datasets, the variables, aggregates over the enclosing group, the page.
class ExpressionContext {
public:
    virtual ~ExpressionContext() = default;
    virtual QVariant fieldValue(const ExprNode& field) = 0; // node.dataset, node.name
    virtual QVariant variable(const QString& name) = 0;
    virtual QVariant aggregate(const ExprNode& call) = 0; // SUM, COUNT, AVG, MIN, MAX
    virtual QVariant pageNumber() = 0;
    virtual QVariant pageCount() = 0;
    virtual QDateTime printTime() = 0;
    virtual const ValueFormatter& formatter() = 0;
};

} // namespace report
