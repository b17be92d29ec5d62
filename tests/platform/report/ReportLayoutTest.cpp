#include "ReportTestSupport.h"

#include "platform/report/ReportError.h"
#include "platform/report/ValueFormatter.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace report;
using namespace reporttest;

namespace {

QString allText(const PreparedReport& p) {
    QStringList out;
    for (int i = 0; i < p.pageCount(); ++i)
        out << p.pageTexts(i).join('|');
    return out.join("||");
}

const PagePrimitive* findText(const Page& page, const QString& text) {
    for (const PagePrimitive& p : page.items)
        if (p.kind == PagePrimitive::Kind::Text && p.text == text)
            return &p;
    return nullptr;
}

db::Decimal sumAmounts(db::Dataset& ds, const QString& field, const QString& value) {
    db::Decimal total;
    for (int r = 0; r < ds.rowCount(); ++r)
        if (value.isEmpty() || ds.value(r, QStringView(field)).toString() == value)
            total += ds.value(r, u"Amount").value<db::Decimal>();
    return total;
}

QString money(const db::Decimal& d) {
    return report::ValueFormatter(QLocale(QLocale::Indonesian, QLocale::Indonesia))
        .format(QVariant::fromValue(d), "#,##0.00;(#,##0.00)");
}

TEST(ReportLayout, paginates_with_headers_footers_and_page_x_of_y) {
    auto lines = makeLines(3, 4, 12); // 144 lines
    const PreparedReport p = exampleReport(lines.get()).prepare();
    ASSERT_GT(p.pageCount(), 3);
    for (int i = 0; i < p.pageCount(); ++i) {
        const QStringList texts = p.pageTexts(i);
        EXPECT_TRUE(texts.contains("Rekap SPK Mandor")) << "page header on page " << i + 1;
        EXPECT_TRUE(texts.contains("Item Pekerjaan")) << "column header on page " << i + 1;
        EXPECT_TRUE(texts.contains(QString("Halaman %1 dari %2").arg(i + 1).arg(p.pageCount())));
        EXPECT_TRUE(texts.contains("Dicetak: 11 Desember 2026"));
        EXPECT_TRUE(texts.contains("Petugas: budi"));
    }
    // Every line is printed exactly once, in order.
    const QString all = allText(p);
    int last = -1;
    for (int n = 1; n <= 144; ++n) {
        const QString needle = QString("|Pekerjaan %1|").arg(n);
        const int at = int(all.indexOf(needle));
        ASSERT_GE(at, 0) << n;
        EXPECT_GT(at, last);
        EXPECT_EQ(all.count(needle), 1);
        last = at;
    }
    // Nothing is placed below the page footer's top or above the top margin.
    for (int i = 0; i < p.pageCount(); ++i)
        for (const PagePrimitive& item : p.page(i).items)
            if (item.kind == PagePrimitive::Kind::Text && item.rotation == 0) {
                EXPECT_GE(item.rect.top(), 12.0 - 1e-6);
                EXPECT_LE(item.rect.bottom(), 297.0 - 12.0 + 1e-6);
            }
}

TEST(ReportLayout, group_sums_in_headers_footers_and_summary) {
    auto lines = makeLines(2, 3, 5);
    const PreparedReport p = exampleReport(lines.get()).prepare();
    const QString all = allText(p);
    for (const QString m : {"Mandor A", "Mandor B"}) {
        const QString sum = money(sumAmounts(*lines, "MandorName", m));
        EXPECT_TRUE(all.contains(QString("Jumlah %1|%2").arg(m, sum))) << m.toStdString();
        // The header shows the same sum before its lines (from the pre-pass).
        EXPECT_TRUE(all.contains(QString("Mandor: %1|15 baris, %2").arg(m, sum)));
    }
    for (int f = 1; f <= 2; ++f)
        for (int o = 1; o <= 3; ++o) {
            const QString code = QString("SPK-%1-%2").arg(f).arg(o);
            EXPECT_TRUE(all.contains(
                QString("Jumlah SPK %1|%2").arg(code, money(sumAmounts(*lines, "SPKCode", code)))));
        }
    EXPECT_TRUE(all.contains("TOTAL|" + money(sumAmounts(*lines, "", ""))));
}

TEST(ReportLayout, outline_lists_group_headers_with_their_pages) {
    auto lines = makeLines(3, 2, 20);
    const PreparedReport p = exampleReport(lines.get()).prepare();
    ASSERT_EQ(p.outline().size(), 3u + 6u);
    EXPECT_EQ(p.outline()[0].text, "Mandor A");
    EXPECT_EQ(p.outline()[0].level, 0);
    EXPECT_EQ(p.outline()[1].text, "SPK SPK-1-1");
    EXPECT_EQ(p.outline()[1].level, 1);
    for (const OutlineEntry& e : p.outline()) {
        const QString shown = e.level == 0 ? "Mandor: " + e.text : "No. " + e.text;
        EXPECT_TRUE(p.pageTexts(e.page).contains(shown)) << e.text.toStdString();
    }
}

TEST(ReportLayout, draft_watermark_on_every_page_only_when_asked) {
    auto lines = makeLines(2, 2, 20);
    const PreparedReport draft = exampleReport(lines.get(), true).prepare();
    const PreparedReport final = exampleReport(lines.get(), false).prepare();
    ASSERT_EQ(draft.pageCount(), final.pageCount());
    for (int i = 0; i < draft.pageCount(); ++i) {
        const PagePrimitive& first = draft.page(i).items.front();
        EXPECT_EQ(first.text, "DRAFT");
        EXPECT_NE(first.rotation, 0);
        EXPECT_GT(first.font.pointSizeF(), 60);
        EXPECT_FALSE(final.pageTexts(i).contains("DRAFT"));
    }
}

const char* kRowsXml = R"(<report>
  <page size="%1" orientation="%2" margin="10"/>
  <section dataset="d">
    <data height="10" visible="[d.Show]">
      <text x="0" y="0" width="%3" height="10" border="all">[d.Text]</text>
      <text x="%3" y="0" width="20" height="10" border="all" visible="[d.N] > 2">big [d.N]</text>
    </data>
  </section>
</report>)";

std::unique_ptr<db::Dataset> rows(const std::vector<std::tuple<QString, int, bool>>& values) {
    auto ds = std::make_unique<db::Dataset>();
    std::vector<QVector<QVariant>> data;
    for (const auto& [text, n, show] : values)
        data.push_back({text, n, show});
    ds->loadRows({{"Text", db::FieldType::Text},
                  {"N", db::FieldType::Integer},
                  {"Show", db::FieldType::Boolean}},
                 std::move(data));
    return ds;
}

TEST(ReportLayout, visibility_conditions_hide_bands_and_objects) {
    auto ds = rows({{"one", 1, true}, {"two", 2, false}, {"three", 3, true}});
    Report r(parseTemplate(QString(kRowsXml).arg("A4", "portrait").arg(40)));
    r.addDataset("d", ds.get());
    const PreparedReport p = r.prepare();
    EXPECT_EQ(p.pageTexts(0), QStringList({"one", "three", "big 3"}));
}

TEST(ReportLayout, pages_follow_size_and_orientation) {
    struct Case {
        const char* size;
        const char* orientation;
        QSizeF mm;
        int rowsPerPage;
    } cases[] = {{"A4", "portrait", {210, 297}, 27},
                 {"A4", "landscape", {297, 210}, 19},
                 {"Folio", "portrait", {215.9, 330.2}, 31},
                 {"Folio", "landscape", {330.2, 215.9}, 19}};
    std::vector<std::tuple<QString, int, bool>> values;
    for (int i = 0; i < 100; ++i)
        values.emplace_back(QString("r%1").arg(i), 0, true);
    auto ds = rows(values);
    for (const Case& c : cases) {
        Report r(parseTemplate(QString(kRowsXml).arg(c.size, c.orientation).arg(40)));
        r.addDataset("d", ds.get());
        const PreparedReport p = r.prepare();
        EXPECT_NEAR(p.pageSizeMm().width(), c.mm.width(), 0.2) << c.size << c.orientation;
        EXPECT_NEAR(p.pageSizeMm().height(), c.mm.height(), 0.2);
        EXPECT_EQ(p.pageTexts(0).size(), c.rowsPerPage) << c.size << " " << c.orientation;
        EXPECT_EQ(p.pageCount(), (100 + c.rowsPerPage - 1) / c.rowsPerPage);
    }
}

TEST(ReportLayout, long_text_wraps_and_the_row_grows_with_its_tallest_cell) {
    const QString xml = R"(<report><page margin="10"/><section dataset="d">
      <data height="6" stretch="true">
        <text x="0" y="0" width="30" height="6" border="all">[d.Text]</text>
        <text x="30" y="0" width="20" height="6" border="all">[d.N]</text>
      </data></section></report>)";
    const QString longText = "galian tanah pondasi batu kali dan urugan pasir bawah lantai kerja";
    auto ds = rows({{longText, 1, true}, {"short", 2, true}});
    Report r(parseTemplate(xml));
    r.addDataset("d", ds.get());
    const PreparedReport p = r.prepare();
    const Page& page = p.page(0);
    const PagePrimitive* wrapped = nullptr;
    for (const PagePrimitive& item : page.items)
        if (item.kind == PagePrimitive::Kind::Text && item.text.startsWith("galian"))
            wrapped = &item;
    ASSERT_TRUE(wrapped);
    EXPECT_GE(wrapped->text.count('\n'), 2);
    EXPECT_EQ(QString(wrapped->text).replace('\n', ' '), longText);
    const PagePrimitive* neighbour = findText(page, "1");
    const PagePrimitive* next = findText(page, "short");
    ASSERT_TRUE(neighbour && next);
    // The neighbour cell stretches to the grown row; the next row starts below it.
    EXPECT_NEAR(neighbour->rect.bottom(), wrapped->rect.bottom(), 0.01);
    EXPECT_GT(wrapped->rect.height(), 6.0);
    EXPECT_GT(next->rect.top(), wrapped->rect.bottom());
}

TEST(ReportLayout, detail_rows_follow_their_master_with_sums) {
    const QString xml = R"(<report><page margin="10"/><section dataset="m">
      <data height="6"><text x="0" y="0" width="60" height="6">Order [m.Code]</text></data>
      <detail dataset="l" key="OrderCode" masterKey="Code">
        <data height="5"><text x="5" y="0" width="60" height="5">[l.Item] [l.Amount]</text></data>
        <footer height="5"><text x="5" y="0" width="60" height="5">sum [SUM([l.Amount])] of [COUNT()]</text></footer>
      </detail></section></report>)";
    db::Dataset master, detail;
    master.loadRows({{"Code", db::FieldType::Text}}, {{"A"}, {"B"}, {"C"}});
    detail.loadRows({{"OrderCode", db::FieldType::Text},
                     {"Item", db::FieldType::Text},
                     {"Amount", db::FieldType::Integer}},
                    {{"B", "b1", 5}, {"A", "a1", 1}, {"B", "b2", 7}, {"A", "a2", 2}});
    Report r(parseTemplate(xml));
    r.addDataset("m", &master);
    r.addDataset("L", &detail); // names are case-insensitive
    const PreparedReport p = r.prepare();
    EXPECT_EQ(p.pageTexts(0), QStringList({"Order A", "a1 1", "a2 2", "sum 3 of 2", "Order B",
                                           "b1 5", "b2 7", "sum 12 of 2", "Order C"}));
}

TEST(ReportLayout, sections_print_one_after_the_other_on_new_pages) {
    const QString xml = R"(<report><page margin="10"/>
      <section dataset="d">
        <pageFooter height="5"><text x="0" y="0" width="50" height="5">[PAGE]/[PAGES]</text></pageFooter>
        <data height="5"><text x="0" y="0" width="50" height="5">[d.Text]</text></data>
        <summary height="5"><text x="0" y="0" width="50" height="5">total [COUNT()]</text></summary>
      </section>
      <section>
        <title height="20"><text x="0" y="0" width="100" height="10" size="14">KWITANSI</text>
          <text x="0" y="10" width="100" height="5">Sudah terima dari [Petugas]</text></title>
        <pageFooter height="5"><text x="0" y="0" width="50" height="5">receipt [PAGE]/[PAGES]</text></pageFooter>
      </section></report>)";
    auto ds = rows({{"x", 1, true}, {"y", 2, true}});
    Report r(parseTemplate(xml));
    r.addDataset("d", ds.get());
    r.setVariable("Petugas", "Ani");
    const PreparedReport p = r.prepare();
    ASSERT_EQ(p.pageCount(), 2);
    EXPECT_EQ(p.pageTexts(0), QStringList({"x", "y", "total 2", "1/2"}));
    EXPECT_EQ(p.pageTexts(1), QStringList({"KWITANSI", "Sudah terima dari Ani", "receipt 2/2"}));
}

TEST(ReportLayout, group_options_new_page_and_footer_kept_with_its_group) {
    const QString xml = R"(<report><page margin="10"/><section dataset="d">
      <group by="[d.Text]" newPage="%1">
        <header height="8"><text x="0" y="0" width="50" height="8">G [d.Text]</text></header>
        <data height="%2"><text x="0" y="0" width="50" height="5">row [d.N]</text></data>
        <footer height="8"><text x="0" y="0" width="50" height="8">end [d.Text]</text></footer>
      </group></section></report>)";
    auto ds = rows({{"a", 1, true}, {"a", 2, true}, {"b", 3, true}, {"b", 4, true}});
    {
        Report r(parseTemplate(QString(xml).arg("true").arg(5)));
        r.addDataset("d", ds.get());
        const PreparedReport p = r.prepare();
        ASSERT_EQ(p.pageCount(), 2);
        EXPECT_EQ(p.pageTexts(0), QStringList({"G a", "row 1", "row 2", "end a"}));
        EXPECT_EQ(p.pageTexts(1), QStringList({"G b", "row 3", "row 4", "end b"}));
    }
    {
        // 277 mm usable: header 8 + rows 2 x 132 = 272; the 8 mm footer would start
        // the next page alone, so the last row goes with it.
        Report r(parseTemplate(QString(xml).arg("false").arg(132)));
        r.addDataset("d", ds.get());
        const PreparedReport p = r.prepare();
        EXPECT_EQ(p.pageTexts(0), QStringList({"G a", "row 1"}));
        EXPECT_EQ(p.pageTexts(1).mid(0, 2), QStringList({"row 2", "end a"}));
        const PagePrimitive* moved = findText(p.page(1), "row 2");
        ASSERT_TRUE(moved);
        EXPECT_NEAR(moved->rect.top(), 10.0 + 0.2, 0.01); // at the top margin (plus padding)
    }
}

TEST(ReportLayout, same_template_and_data_give_the_same_pages) {
    auto lines = makeLines(2, 3, 9);
    const PreparedReport a = exampleReport(lines.get()).prepare();
    const PreparedReport b = exampleReport(lines.get()).prepare();
    ASSERT_EQ(a.pageCount(), b.pageCount());
    for (int i = 0; i < a.pageCount(); ++i) {
        ASSERT_EQ(a.page(i).items.size(), b.page(i).items.size());
        for (size_t k = 0; k < a.page(i).items.size(); ++k) {
            EXPECT_EQ(a.page(i).items[k].text, b.page(i).items[k].text);
            EXPECT_EQ(a.page(i).items[k].rect, b.page(i).items[k].rect);
        }
    }
}

TEST(ReportLayout, text_positions_run_down_the_page) {
    auto lines = makeLines(1, 1, 10);
    const PreparedReport p = exampleReport(lines.get()).prepare();
    double previous = -1;
    for (int n = 1; n <= 10; ++n) {
        const PagePrimitive* item = findText(p.page(0), QString("Pekerjaan %1").arg(n));
        ASSERT_TRUE(item);
        EXPECT_GT(item->rect.top(), previous);
        previous = item->rect.top();
    }
    const PagePrimitive* amount =
        findText(p.page(0), money(lines->value(0, u"Amount").value<db::Decimal>()));
    ASSERT_TRUE(amount);
    EXPECT_TRUE(amount->flags & Qt::AlignRight);
}

TEST(ReportLayout, unknown_names_fail_with_file_and_line) {
    const QString xml = R"(<report><section dataset="d">
      <data height="5">
        <text x="0" y="0" width="50" height="5">[%1]</text>
      </data></section></report>)";
    auto ds = rows({{"x", 1, true}});
    for (const char* ref : {"d.Missing", "nope.Text", "NoSuchVariable"}) {
        Report r(parseTemplate(QString(xml).arg(ref)));
        r.addDataset("d", ds.get());
        try {
            r.prepare();
            ADD_FAILURE() << ref;
        } catch (const ReportError& e) {
            EXPECT_TRUE(e.message().startsWith("test.rpt.xml:3:")) << e.message().toStdString();
        }
    }
}

} // namespace
