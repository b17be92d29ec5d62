#include "platform/report/Expression.h"
#include "platform/report/ExpressionContext.h"
#include "platform/report/ReportError.h"
#include "platform/report/TextTemplate.h"
#include "platform/report/ValueFormatter.h"

#include "db/Decimal.h"

#include <gtest/gtest.h>

using namespace report;

namespace {

// Fields and variables from maps; aggregates answer a fixed value.
class MapContext : public ExpressionContext {
public:
    QVariantMap fields{{"ds.code", "SPK-7"},
                       {"ds.amount", QVariant::fromValue(db::Decimal::fromString(u"1234.5"))},
                       {"ds.qty", 3},
                       {"ds.status", 2},
                       {"ds.empty", QVariant()}};
    QVariantMap vars{{"petugas", "budi"}, {"draft", true}};
    ValueFormatter fmt{QLocale::c()};

    QVariant fieldValue(const ExprNode& n) override {
        const QString key = (n.dataset + "." + n.name).toLower();
        if (!fields.contains(key))
            throw ReportError("no field " + key);
        return fields.value(key);
    }
    QVariant variable(const QString& name) override { return vars.value(name.toLower()); }
    QVariant aggregate(const ExprNode& call) override { return call.name == "COUNT" ? 4 : 99; }
    QVariant pageNumber() override { return 3; }
    QVariant pageCount() override { return 9; }
    QDateTime printTime() override { return QDateTime(QDate(2026, 12, 11), QTime(14, 5)); }
    const ValueFormatter& formatter() override { return fmt; }
};

QString eval(const QString& text) {
    MapContext ctx;
    return ctx.fmt.display(Expression::parse(text).evaluate(ctx));
}

struct Case {
    const char* expression;
    const char* expected;
};

class ExpressionCases : public ::testing::TestWithParam<Case> {};

TEST_P(ExpressionCases, evaluates) {
    EXPECT_EQ(eval(QString::fromUtf8(GetParam().expression)),
              QString::fromUtf8(GetParam().expected))
        << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExpressionCases,
    ::testing::Values(Case{"[ds.Code]", "SPK-7"}, Case{"ds.CODE", "SPK-7"},
                      Case{"[Petugas]", "budi"}, Case{"1 + 2 * 3", "7"}, Case{"(1 + 2) * 3", "9"},
                      Case{"[ds.Amount] * 2", "2469"}, Case{"[ds.Amount] + 0.25", "1234.75"},
                      Case{"[ds.Qty] * [ds.Amount]", "3703.5"}, Case{"7 / 2", "3.5"},
                      Case{"1 / 0", ""}, Case{"-[ds.Qty] + 1", "-2"},
                      Case{"'No. ' + [ds.Code]", "No. SPK-7"}, Case{"'A' & 1 & 'B'", "A1B"},
                      Case{"[ds.Status] = 2", "True"}, Case{"[ds.Status] <> 2", "False"},
                      Case{"[ds.Amount] > 1000 AND [ds.Qty] < 5", "True"},
                      Case{"NOT [Draft] OR 1 >= 2", "False"},
                      Case{"IIF([ds.Status] = 2, 'FINAL', 'DRAFT')", "FINAL"},
                      Case{"IIF([ds.Empty] = NULL, 'none', 'some')", "none"},
                      Case{"ISNULL([ds.Empty], '-')", "-"},
                      Case{"FORMAT([ds.Amount], '#,##0.00;(#,##0.00)')", "1,234.50"},
                      Case{"FORMAT(-[ds.Amount], '#,##0;(#,##0)')", "(1,235)"},
                      Case{"'Page ' & [PAGE] & ' of ' & [PAGES]", "Page 3 of 9"},
                      Case{"PAGE() + 1", "4"}, Case{"FORMAT(DATE, 'dd/MM/yyyy')", "11/12/2026"},
                      Case{"TIME", "14:05"}, Case{"SUM([ds.Amount]) + COUNT()", "103"},
                      Case{"UPPER('abc') & LOWER('DEF') & TRIM('  x ')", "ABCdefx"},
                      Case{"ROUND(2.675, 2)", "2.68"}, Case{"'it''s'", "it's"}));

TEST(Expression, reports_syntax_errors_with_position) {
    const char* bad[] = {"1 +", "(1 + 2", "[ds.Code", "FOO(1)", "IIF(1, 2)", "'open", "1 2"};
    for (const char* text : bad) {
        try {
            Expression::parse(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ReportError& e) {
            EXPECT_TRUE(e.message().contains("position")) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(text)));
        }
    }
}

TEST(TextTemplate, embeds_expressions_in_text) {
    MapContext ctx;
    EXPECT_EQ(TextTemplate::parse("No. [ds.Code] oleh [Petugas]").evaluate(ctx),
              "No. SPK-7 oleh budi");
    EXPECT_EQ(TextTemplate::parse("[FORMAT([ds.Amount], '#,##0')] rupiah").evaluate(ctx),
              "1,235 rupiah");
    EXPECT_EQ(TextTemplate::parse("Halaman [PAGE] dari [PAGES]").evaluate(ctx), "Halaman 3 dari 9");
    EXPECT_TRUE(TextTemplate::parse("plain").isConstant());
    EXPECT_TRUE(TextTemplate::parse("[PAGES]").usesPageCount());
    EXPECT_THROW(TextTemplate::parse("No. [ds.Code"), ReportError);
}

} // namespace
