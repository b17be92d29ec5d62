#include "ReportTestSupport.h"

#include "platform/report/ReportError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

namespace {

struct BadTemplate {
    const char* xml;
    int line;
    const char* says;
};

class MalformedTemplates : public ::testing::TestWithParam<BadTemplate> {};

TEST_P(MalformedTemplates, name_file_line_and_fault) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.rpt.xml");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().xml);
    f.close();
    try {
        ReportTemplate::load(path);
        ADD_FAILURE() << "accepted: " << GetParam().xml;
    } catch (const ReportError& e) {
        const QString expected = QString("%1:%2: ").arg(path).arg(GetParam().line);
        EXPECT_TRUE(e.message().startsWith(expected)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().says)))
            << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedTemplates,
    ::testing::Values(
        BadTemplate{"", 1, "Premature end"},
        BadTemplate{"<report>\n<section dataset='d'>\n<data>\n</section>", 4, "mismatch"},
        BadTemplate{"<page/>", 1, "root element must be <report>"},
        BadTemplate{"<report>\n</report>", 2, "no <section>"},
        BadTemplate{"<report>\n<section dataset='d'>\n<data height='x5'/>\n</section></report>", 3,
                    "not a number"},
        BadTemplate{"<report>\n<section>\n<title>\n<txt/></title></section></report>", 4,
                    "unknown element <txt>"},
        BadTemplate{"<report>\n<section>\n<title heigth='5'/></section></report>", 3,
                    "unknown attribute 'heigth'"},
        BadTemplate{"<report>\n<section>\n<title>\n<text align='middle'>x</text></title>"
                    "</section></report>",
                    4, "align"},
        BadTemplate{"<report>\n<section>\n<title>\n\n<text>No. [ds.Code</text></title>"
                    "</section></report>",
                    5, "missing ']'"},
        BadTemplate{"<report>\n<section dataset='d'>\n<data visible='[d.X] ='/></section></report>",
                    3, "Expression"},
        BadTemplate{"<report>\n<page size='Letter'/><section/></report>", 2, "Letter"},
        BadTemplate{"<report>\n<section>\n<title><image file='nothere.png'/></title></section>"
                    "</report>",
                    3, "nothere.png"},
        BadTemplate{"<report>\n<section>\n<group by='[d.X]'/></section></report>", 3,
                    "needs a dataset"}));

TEST(TemplateFile, missing_file_is_an_error_naming_the_file) {
    const QString path = "/nonexistent/reports/rptNothing.rpt.xml";
    try {
        ReportTemplate::load(path);
        FAIL();
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), "Template file not found: " + path);
    }
}

TEST(TemplateFile, example_loads_with_its_page_settings) {
    const ReportTemplate t = ReportTemplate::load(reporttest::exampleTemplatePath());
    EXPECT_EQ(t.name(), "statement");
    EXPECT_EQ(t.sections().size(), 1u);
    EXPECT_EQ(t.sections()[0].groups.size(), 2u);
    EXPECT_NEAR(t.page().sizeMm().width(), 210, 0.1);
    EXPECT_DOUBLE_EQ(t.page().margins.left(), 15);
}

} // namespace
