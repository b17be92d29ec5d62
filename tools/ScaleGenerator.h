#pragma once

#include "db/Connection.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>

namespace admin {

// Fills a database with one large project for the register, save and print
// benchmarks: a budget of labour and material items over many accounts,
// foremen's firms, a year of work orders in every status with their lines, and
// payments against the approved ones. Everything is generated on the server in
// a handful of set-based statements; the same seed gives the same data.
//
// Runs as the owner of the tables (skm_owner). It opens no transaction of its
// own: wrap generate() in one to make it all-or-nothing.
class ScaleGenerator {
public:
    struct Options {
        QString projectCode = QStringLiteral("PRJ-LARGE");
        int budgetItems = 20000;
        int accounts = 200;
        int firms = 50;
        int workOrders = 5000;
        int lines = 100000;
        int seed = 1;
        QDate lastDay = QDate::currentDate(); // work orders span the year up to this day
    };

    // Runs one statement with bound parameters and returns the first column of
    // its first row (invalid when there is none).
    using Scalar = std::function<QVariant(const QString& sql, const db::ParamList& params)>;

    explicit ScaleGenerator(Scalar scalar);
    explicit ScaleGenerator(db::Connection& connection);

    // Runs a statement that cannot be prepared (ANALYZE). When set, generate()
    // ends by refreshing the planner statistics of the tables it filled, so the
    // register and the budget queries are planned for the new volumes at once.
    using Script = std::function<void(const QString& sql)>;
    void setScriptRunner(Script script) { m_script = std::move(script); }

    // Returns the new project's ProjectID. Throws AdminError for options out of
    // range or a project code already in use; database errors pass through.
    int generate(const Options& options);

private:
    QVariant run(const QString& sql, const db::ParamList& params = {});
    Scalar m_scalar;
    Script m_script;
};

} // namespace admin
