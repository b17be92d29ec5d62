#pragma once

#include "db/Dataset.h"
#include "db/Decimal.h"
#include "platform/report/Report.h"
#include "platform/report/ReportTemplate.h"

#include <QLocale>
#include <memory>

namespace reporttest {

// Lines of a statement: `foremen` foremen with `orders` work orders each and
// `perOrder` lines per work order; Amount = Quantity * Price, exact.
inline std::unique_ptr<db::Dataset> makeLines(int foremen, int orders, int perOrder) {
    db::Decimal::registerMetaType();
    auto ds = std::make_unique<db::Dataset>();
    const QVector<db::FieldDef> fields = {
        {"MandorName", db::FieldType::Text}, {"SPKCode", db::FieldType::Text},
        {"WorkDesc", db::FieldType::Text},   {"Quantity", db::FieldType::Decimal},
        {"Unit", db::FieldType::Text},       {"Price", db::FieldType::Decimal},
        {"Amount", db::FieldType::Decimal}};
    std::vector<QVector<QVariant>> rows;
    int n = 0;
    for (int f = 0; f < foremen; ++f)
        for (int o = 0; o < orders; ++o)
            for (int l = 0; l < perOrder; ++l, ++n) {
                const db::Decimal qty = db::Decimal::fromString(QString::number(1 + n % 7) + ".5");
                const db::Decimal price = db::Decimal::fromInt(1000 * (1 + n % 5));
                rows.push_back({QStringLiteral("Mandor %1").arg(QChar('A' + f)),
                                QStringLiteral("SPK-%1-%2").arg(f + 1).arg(o + 1),
                                QStringLiteral("Pekerjaan %1").arg(n + 1), QVariant::fromValue(qty),
                                QStringLiteral("m3"), QVariant::fromValue(price),
                                QVariant::fromValue(qty * price)});
            }
    ds->loadRows(fields, std::move(rows));
    return ds;
}

inline report::ReportTemplate parseTemplate(const QString& xml) {
    return report::ReportTemplate::parse(xml.toUtf8(), QStringLiteral("test.rpt.xml"),
                                         QStringLiteral(SKM_SOURCE_DIR "/reports/example"));
}

inline QString exampleTemplatePath() {
    return QStringLiteral(SKM_SOURCE_DIR "/reports/example/statement.rpt.xml");
}

// A report on the example template with a fixed locale and print time.
inline report::Report exampleReport(db::Dataset* lines, bool draft = false) {
    report::Report r(report::ReportTemplate::load(exampleTemplatePath()));
    r.addDataset("lines", lines);
    r.setVariable("Petugas", "budi");
    r.setVariable("Draft", draft);
    r.setLocale(QLocale(QLocale::Indonesian, QLocale::Indonesia));
    r.setPrintTime(QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
    return r;
}

} // namespace reporttest
