#include "platform/ui/DataGrid.h"
#include "platform/ui/GridHeader.h"
#include "platform/ui/GridModel.h"

#include "db/Dataset.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

using db::Decimal;
using db::FieldDef;
using db::FieldType;
using ui::DataGrid;
using ui::DisplayFormat;
using ui::GridColumn;
using ui::GridSummary;

namespace {

// Records the int argument of every emission of a signal.
template <typename Sender, typename Signal>
QList<int> record(Sender* s, Signal sig, QList<int>* out) {
    QObject::connect(s, sig, [out](auto... args) {
        out->append(static_cast<int>(std::get<0>(std::tuple(args...))));
    });
    return {};
}

const QLocale kId(QLocale::Indonesian, QLocale::Indonesia);

QVariant dec(const char* s) {
    return QVariant::fromValue(Decimal::fromString(QString::fromLatin1(s)));
}

QVariant day(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(9, 30));
}

// Work-order lines: foreman, order code, line text, quantity, price, date, PPn flag.
void loadLines(db::Dataset& ds) {
    const QVector<FieldDef> fields = {{QStringLiteral("MandorName"), FieldType::Text},
                                      {QStringLiteral("SPKCode"), FieldType::Text},
                                      {QStringLiteral("WorkDesc"), FieldType::Text},
                                      {QStringLiteral("Qty"), FieldType::Decimal},
                                      {QStringLiteral("Price"), FieldType::Decimal},
                                      {QStringLiteral("SPKDate"), FieldType::DateTime},
                                      {QStringLiteral("PPn"), FieldType::Boolean},
                                      {QStringLiteral("LineNo"), FieldType::Integer}};
    std::vector<QVector<QVariant>> rows = {
        {"Budi", "SPK-002", "Galian tanah", dec("10"), dec("1500"), day(2024, 3, 4), true, 1},
        {"Agus", "SPK-001", "Urugan pasir", dec("2.5"), dec("-200"), day(2024, 3, 5), QVariant(),
         2},
        {"Budi", "SPK-002", "Bekisting", dec("4"), dec("250000"), day(2024, 3, 6), false, 3},
        {"budi", "SPK-003", "Pembesian", dec("1000"), dec("12.5"), day(2024, 2, 28), true, 4},
        {"Agus", "SPK-001", "Cor beton", dec("3"), dec("1000000"), day(2024, 3, 4), false, 5},
        {"Citra", "SPK-004", QVariant(), QVariant(), dec("0"), QVariant(), QVariant(), 6}};
    ds.loadRows(fields, std::move(rows));
}

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.setObjectName(QStringLiteral("adodsLines"));
        ds.addCalculatedField(
            QStringLiteral("Total"), FieldType::Decimal,
            [](const db::Dataset& d, int row) -> QVariant {
                return QVariant::fromValue(
                    db::Dataset::toDecimal(d.value(row, QStringLiteral("Qty"))) *
                    db::Dataset::toDecimal(d.value(row, QStringLiteral("Price"))));
            });
        loadLines(ds);
        const int b1 = grid.addBand(QStringLiteral("SPK"));
        const int b2 = grid.addBand(QStringLiteral("SPK Detail"));
        const int b3 = grid.addBand(QStringLiteral("Realisasi"), false, false);
        add({"MandorName", "Nama Mandor"}, b1, [](GridColumn& c) {
            c.upperCase = true;
            c.footer = GridSummary::Count;
            c.footerPattern = QStringLiteral("TOTAL = ");
        });
        add({"SPKCode", "No. SPK"}, b1, [](GridColumn& c) { c.merged = true; });
        add({"SPKDate", "Tanggal"}, b1, [](GridColumn& c) {
            c.dateOnly = true;
            c.format = DisplayFormat(QStringLiteral("dd/MM/yyyy"), kId);
        });
        add({"PPn", "PPn"}, b1, [](GridColumn& c) { c.checkBox = true; });
        add({"WorkDesc", "Uraian"}, b2, [](GridColumn& c) { c.editable = true; });
        add({"Qty", "Volume"}, b2, [](GridColumn& c) {
            c.format = DisplayFormat(QStringLiteral("#,##0.00;(#,##0.00)"), kId);
            c.editable = true;
        });
        add({"Price", "Harga"}, b2, [](GridColumn& c) {
            c.format = DisplayFormat(QStringLiteral("#,##0;(#,##0)"), kId);
            c.editable = true;
        });
        add({"Total", "Total"}, b2, [](GridColumn& c) {
            c.format = DisplayFormat(QStringLiteral("#,##0.00;(#,##0.00)"), kId);
            c.footer = GridSummary::Sum;
            c.groupSum = true;
        });
        add({"LineNo", "No"}, -1, [](GridColumn& c) {
            c.visible = false;
            c.offered = false;
        });
        add({"Qty", "Vol. Real"}, b3, [](GridColumn&) {});
        grid.setFilterRowVisible(true);
        grid.setFooterVisible(true);
        grid.setDataset(&ds);
        grid.resize(900, 400);
    }

    template <typename F> void add(GridColumn c, int band, F setup) {
        c.band = band;
        setup(c);
        grid.addColumn(c);
    }

    QStringList column(const char* field) const {
        QStringList out;
        for (int r = 0; r < grid.displayRowCount(); ++r)
            if (!grid.isGroupRow(r))
                out << grid.displayText(r, QString::fromLatin1(field));
        return out;
    }

    db::Dataset ds;
    DataGrid grid;
};

TEST_F(DataGridTest, ShowsFormattedValues) {
    EXPECT_EQ(grid.rowCountVisible(), 6);
    EXPECT_EQ(column("MandorName"), QStringList({"BUDI", "AGUS", "BUDI", "BUDI", "AGUS", "CITRA"}));
    EXPECT_EQ(column("Price"), QStringList({"1.500", "(200)", "250.000", "13", "1.000.000", "0"}));
    EXPECT_EQ(column("Qty"), QStringList({"10,00", "2,50", "4,00", "1.000,00", "3,00", ""}));
    EXPECT_EQ(column("SPKDate").first(), QStringLiteral("04/03/2024"));
    EXPECT_EQ(column("SPKDate").last(), QString());
    EXPECT_EQ(column("PPn"), QStringList({"1", "0", "0", "1", "0", "0"})); // empty unchecked
    EXPECT_EQ(column("Total").at(1), QStringLiteral("(500,00)"));
}

TEST_F(DataGridTest, BandsAndNotOfferedColumnsStartHidden) {
    EXPECT_EQ(grid.visibleColumns(), QStringList({"MandorName", "SPKCode", "SPKDate", "PPn",
                                                  "WorkDesc", "Qty", "Price", "Total"}));
    EXPECT_FALSE(grid.isColumnVisible(QStringLiteral("LineNo")));
    EXPECT_GT(grid.header()->bandHeight(), 0);
    grid.setBandVisible(0, false);
    EXPECT_FALSE(grid.isColumnVisible(QStringLiteral("SPKCode")));
    EXPECT_TRUE(grid.isColumnVisible(QStringLiteral("Total")));
    grid.setBandVisible(0, true);
    EXPECT_TRUE(grid.isColumnVisible(QStringLiteral("SPKCode")));
}

struct FilterCase {
    const char* field;
    const char* text;
    QList<int> lineNos; // LineNo of the rows left, in dataset order
};

class DataGridFilterTest : public DataGridTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(DataGridFilterTest, FiltersRows) {
    const FilterCase& c = GetParam();
    grid.setFilterText(QString::fromLatin1(c.field), QString::fromUtf8(c.text));
    QList<int> got;
    for (int r = 0; r < grid.displayRowCount(); ++r)
        got << ds.value(grid.datasetRowAt(r), QStringLiteral("LineNo")).toInt();
    EXPECT_EQ(got, c.lineNos) << c.field << " " << c.text;
    EXPECT_EQ(grid.rowCountVisible(), c.lineNos.size());
    EXPECT_EQ(grid.footerText(QStringLiteral("MandorName")),
              QStringLiteral("TOTAL = %1").arg(c.lineNos.size()));
    grid.setFilterText(QString::fromLatin1(c.field), QString());
    EXPECT_EQ(grid.rowCountVisible(), 6);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataGridFilterTest,
    ::testing::Values(
        FilterCase{"MandorName", "bud", {1, 3, 4}}, // case-insensitive
        FilterCase{"MandorName", "BUDI", {1, 3, 4}},
        FilterCase{"WorkDesc", "AN", {1, 2, 4}}, // substring, any case
        FilterCase{"WorkDesc", "zzz", {}}, FilterCase{"Price", ">1000", {1, 3, 5}}, // comparisons
        FilterCase{"Price", "<=0", {2, 6}}, FilterCase{"Price", "<>0", {1, 2, 3, 4, 5}},
        FilterCase{"Price", "1000", {5}},  // shown text, no grouping
        FilterCase{"Price", "1.000", {5}}, // typed with grouping
        FilterCase{"Price", "-200", {2}},  // "(200)" by value
        FilterCase{"Qty", ">=4", {1, 3, 4}}, FilterCase{"Qty", "2,5", {2}}, // locale decimal comma
        FilterCase{"Qty", ">abc", {}},                                      // unreadable: nothing
        FilterCase{"SPKDate", "04/03/2024", {1, 5}},                        // full date: that day
        FilterCase{"SPKDate", ">=05/03/2024", {2, 3}}, FilterCase{"SPKDate", "<01/03/2024", {4}},
        FilterCase{"SPKDate", "/02/", {4}}, // part of the text
        FilterCase{"PPn", "1", {1, 4}}, FilterCase{"PPn", "0", {2, 3, 5, 6}},
        FilterCase{"LineNo", "6", {6}},
        FilterCase{"MandorName", ">", {1, 2, 3, 4, 5, 6}})); // bare operator

TEST_F(DataGridTest, TypingInFilterRowAppliesAfterDebounce) {
    QLineEdit* edit = grid.findChild<QLineEdit*>(QStringLiteral("filter_MandorName"));
    ASSERT_NE(edit, nullptr);
    grid.setFilterDelay(20);
    edit->setText(QStringLiteral("agu"));
    emit edit->textEdited(edit->text());
    EXPECT_EQ(grid.rowCountVisible(), 6); // not yet
    int resets = 0;
    QObject::connect(grid.model(), &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    QEventLoop loop;
    QObject::connect(grid.model(), &QAbstractItemModel::modelReset, &loop, &QEventLoop::quit);
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(grid.rowCountVisible(), 2);
    EXPECT_EQ(resets, 1); // one reset for the whole filter
    EXPECT_EQ(grid.filterText(QStringLiteral("MandorName")), QStringLiteral("agu"));
}

TEST_F(DataGridTest, CombinedFiltersAndFooterSum) {
    grid.setFilterText(QStringLiteral("MandorName"), QStringLiteral("budi"));
    grid.setFilterText(QStringLiteral("Price"), QStringLiteral("<100000"));
    EXPECT_EQ(grid.rowCountVisible(), 2);
    // 10 * 1500 + 1000 * 12.5
    EXPECT_EQ(grid.footerText(QStringLiteral("Total")), QStringLiteral("27.500,00"));
    EXPECT_EQ(grid.footerValue(QStringLiteral("Total")).value<Decimal>(), Decimal::fromInt(27500));
    grid.setFilterText(QStringLiteral("WorkDesc"), QStringLiteral("nothing like this"));
    EXPECT_EQ(grid.footerText(QStringLiteral("Total")), QString()); // no rows: no sum
    EXPECT_EQ(grid.footerText(QStringLiteral("MandorName")), QStringLiteral("TOTAL = 0"));
}

TEST_F(DataGridTest, GroupsByTwoColumnsWithSums) {
    grid.setGroupColumns({QStringLiteral("MandorName"), QStringLiteral("SPKCode")});
    QStringList groups;
    QStringList sums;
    for (int r = 0; r < grid.displayRowCount(); ++r) {
        if (grid.isGroupRow(r)) {
            groups << grid.groupRowText(r);
            sums << grid.groupSumText(r, QStringLiteral("Total"));
        }
    }
    // upper-case display makes "Budi" and "budi" one group; groups sorted by value
    EXPECT_EQ(groups, QStringList({"Nama Mandor: AGUS", "No. SPK: SPK-001", "Nama Mandor: BUDI",
                                   "No. SPK: SPK-002", "No. SPK: SPK-003", "Nama Mandor: CITRA",
                                   "No. SPK: SPK-004"}));
    EXPECT_EQ(sums, QStringList({"2.999.500,00", "2.999.500,00", "1.027.500,00", "1.015.000,00",
                                 "12.500,00", "0,00", "0,00"}));
    EXPECT_EQ(grid.rowCountVisible(), 6);
    EXPECT_EQ(grid.displayRowCount(), 13);

    // collapse BUDI: its lines and sub-groups go, the sums stay
    const int budi = groups.indexOf(QStringLiteral("Nama Mandor: BUDI"));
    int budiRow = -1;
    for (int r = 0, g = 0; r < grid.displayRowCount(); ++r)
        if (grid.isGroupRow(r) && g++ == budi)
            budiRow = r;
    grid.setGroupExpanded(budiRow, false);
    EXPECT_EQ(grid.displayRowCount(), 13 - 5);
    EXPECT_EQ(grid.groupSumText(budiRow, QStringLiteral("Total")), QStringLiteral("1.027.500,00"));
    grid.setGroupExpanded(budiRow, true);
    EXPECT_EQ(grid.displayRowCount(), 13);
}

TEST_F(DataGridTest, GroupKeysAndCollapsedGroupViaKeyboard) {
    grid.setGroupColumns({QStringLiteral("MandorName")});
    ASSERT_TRUE(grid.isGroupRow(0));
    grid.view()->setCurrentIndex(grid.model()->index(0, 0));
    grid.view()->setFocus();
    QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
    QApplication::sendEvent(grid.view(), &minus);
    // AGUS collapsed: its two lines are gone, BUDI's group row follows
    EXPECT_TRUE(grid.isGroupRow(1));
    EXPECT_EQ(grid.groupRowText(1), QStringLiteral("Nama Mandor: BUDI"));
    EXPECT_EQ(grid.displayRowCount(), 3 + 4);
    grid.view()->setCurrentIndex(grid.model()->index(0, 0));
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"));
    QApplication::sendEvent(grid.view(), &plus);
    EXPECT_EQ(grid.displayRowCount(), 3 + 6);
}

TEST_F(DataGridTest, MergesEqualNeighboursWithinAGroupOnly) {
    grid.sortBy(QStringLiteral("SPKCode"), Qt::AscendingOrder);
    auto merged = [&](int row) {
        const int c = grid.columnIndex(QStringLiteral("SPKCode"));
        return grid.model()->index(row, c).data(ui::GridModel::MergedAboveRole).toBool();
    };
    // SPK-001, SPK-001, SPK-002, SPK-002, SPK-003, SPK-004
    EXPECT_FALSE(merged(0));
    EXPECT_TRUE(merged(1));
    EXPECT_FALSE(merged(2));
    EXPECT_TRUE(merged(3));
    EXPECT_FALSE(merged(4));
    // a column not marked merged never merges
    const int m = grid.columnIndex(QStringLiteral("MandorName"));
    EXPECT_FALSE(grid.model()->index(1, m).data(ui::GridModel::MergedAboveRole).toBool());
    // a group row between equal values breaks the merge
    grid.setGroupColumns({QStringLiteral("MandorName")});
    for (int r = 1; r < grid.displayRowCount(); ++r)
        if (grid.isGroupRow(r - 1))
            EXPECT_FALSE(merged(r)) << r;
}

struct SortCase {
    const char* field;
    Qt::SortOrder order;
    QList<int> lineNos;
};

class DataGridSortTest : public DataGridTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(DataGridSortTest, SortsOnTypedKeys) {
    const SortCase& c = GetParam();
    grid.sortBy(QString::fromLatin1(c.field), c.order);
    QList<int> got;
    for (int r = 0; r < grid.displayRowCount(); ++r)
        got << ds.value(grid.datasetRowAt(r), QStringLiteral("LineNo")).toInt();
    EXPECT_EQ(got, c.lineNos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataGridSortTest,
    ::testing::Values(
        SortCase{"Price", Qt::AscendingOrder, {2, 6, 4, 1, 3, 5}}, // numbers, not text
        SortCase{"Price", Qt::DescendingOrder, {5, 3, 1, 4, 6, 2}},
        SortCase{"MandorName", Qt::AscendingOrder, {2, 5, 1, 3, 4, 6}}, // case-folded, stable
        SortCase{"SPKDate", Qt::AscendingOrder, {6, 4, 1, 5, 2, 3}},    // null first
        SortCase{"WorkDesc", Qt::DescendingOrder, {2, 4, 1, 5, 3, 6}}));

TEST_F(DataGridTest, HeaderClickTogglesSortOrder) {
    const int c = grid.columnIndex(QStringLiteral("Qty"));
    emit grid.header()->sectionClicked(c);
    EXPECT_EQ(ds.value(grid.datasetRowAt(0), QStringLiteral("LineNo")).toInt(), 6); // null first
    emit grid.header()->sectionClicked(c);
    EXPECT_EQ(ds.value(grid.datasetRowAt(0), QStringLiteral("LineNo")).toInt(), 4); // 1000
}

TEST_F(DataGridTest, EditingPostsToDatasetAndUpdatesSums) {
    const QString before = grid.footerText(QStringLiteral("Total"));
    const int c = grid.columnIndex(QStringLiteral("Qty"));
    const int visual = grid.visualRowOf(0);
    ASSERT_TRUE(grid.model()->flags(grid.model()->index(visual, c)) & Qt::ItemIsEditable);
    ASSERT_TRUE(grid.model()->setData(grid.model()->index(visual, c), QStringLiteral("20,5"),
                                      Qt::EditRole));
    EXPECT_EQ(ds.value(0, QStringLiteral("Qty")).value<Decimal>(), Decimal::fromString(u"20.5"));
    EXPECT_EQ(grid.displayText(visual, QStringLiteral("Total")), QStringLiteral("30.750,00"));
    EXPECT_NE(grid.footerText(QStringLiteral("Total")), before);
    // 30750 - 500 + 1000000 + 12500 + 3000000 + 0
    EXPECT_EQ(grid.footerText(QStringLiteral("Total")), QStringLiteral("4.042.750,00"));
    EXPECT_EQ(ds.rowState(0), db::Dataset::RowState::Modified);
}

TEST_F(DataGridTest, BadEditIsRejectedAndNothingChanges) {
    int rejected = 0;
    QObject::connect(&grid, &DataGrid::editRejected, [&](const QString& m) {
        ++rejected;
        EXPECT_TRUE(m.contains(QStringLiteral("dua ratus")));
    });
    const int c = grid.columnIndex(QStringLiteral("Price"));
    EXPECT_FALSE(grid.model()->setData(grid.model()->index(grid.visualRowOf(1), c),
                                       QStringLiteral("dua ratus"), Qt::EditRole));
    EXPECT_EQ(rejected, 1);
    EXPECT_EQ(ds.value(1, QStringLiteral("Price")).value<Decimal>(), Decimal::fromInt(-200));
    EXPECT_EQ(ds.rowState(1), db::Dataset::RowState::Unchanged);
    // read-only columns refuse edits
    const int t = grid.columnIndex(QStringLiteral("Total"));
    EXPECT_FALSE(
        grid.model()->setData(grid.model()->index(0, t), QStringLiteral("1"), Qt::EditRole));
}

TEST_F(DataGridTest, EditUpdatesGroupSumsAndKeepsOrderOfCodes) {
    grid.setGroupColumns({QStringLiteral("MandorName")});
    ds.setValue(4, QStringLiteral("Price"), dec("2000000")); // Agus, Cor beton
    EXPECT_EQ(grid.groupSumText(0, QStringLiteral("Total")), QStringLiteral("5.999.500,00"));
    // a value new to the column still sorts in place
    ds.setValue(0, QStringLiteral("Price"), dec("5"));
    grid.sortBy(QStringLiteral("Price"), Qt::AscendingOrder);
    grid.setGroupColumns({});
    QList<int> got;
    for (int r = 0; r < grid.displayRowCount(); ++r)
        got << ds.value(grid.datasetRowAt(r), QStringLiteral("LineNo")).toInt();
    EXPECT_EQ(got, QList<int>({2, 6, 1, 4, 3, 5}));
}

TEST_F(DataGridTest, ColumnChooserOffersOnlyOfferedColumnsAndBands) {
    std::unique_ptr<QMenu> menu(grid.createColumnChooserMenu());
    QStringList names;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            names << a->objectName();
    EXPECT_TRUE(names.contains(QStringLiteral("column_WorkDesc")));
    EXPECT_TRUE(names.contains(QStringLiteral("band_0")));
    EXPECT_FALSE(names.contains(QStringLiteral("column_LineNo"))); // not offered
    EXPECT_FALSE(names.contains(QStringLiteral("band_2")));        // band not offered
    for (QAction* a : menu->actions())
        if (a->objectName() == QStringLiteral("column_WorkDesc"))
            a->trigger();
    EXPECT_FALSE(grid.isColumnVisible(QStringLiteral("WorkDesc")));
    for (QAction* a : menu->actions())
        if (a->objectName() == QStringLiteral("column_WorkDesc"))
            a->trigger();
    EXPECT_TRUE(grid.isColumnVisible(QStringLiteral("WorkDesc")));
}

TEST_F(DataGridTest, FocusFollowsCurrentRowBothWays) {
    QList<int> focus;
    record(&grid, &DataGrid::focusedRowChanged, &focus);
    ds.setCurrentRow(3);
    EXPECT_EQ(grid.focusedDatasetRow(), 3);
    EXPECT_EQ(grid.view()->currentIndex().row(), grid.visualRowOf(3));
    grid.sortBy(QStringLiteral("Price"), Qt::DescendingOrder);
    EXPECT_EQ(grid.focusedDatasetRow(), 3); // kept through the re-sort
    EXPECT_EQ(grid.view()->currentIndex().row(), grid.visualRowOf(3));
    grid.focusDatasetRow(4);
    EXPECT_EQ(ds.currentRow(), 4);
    ASSERT_FALSE(focus.isEmpty());
    EXPECT_EQ(focus.last(), 4);
    // keyboard: Down moves to the next shown row and the dataset follows
    const int next = grid.datasetRowAt(grid.visualRowOf(4) + 1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(grid.view(), &down);
    EXPECT_EQ(ds.currentRow(), next);
}

TEST_F(DataGridTest, FilterMovesFocusToFirstRowAndBackWhenShownAgain) {
    grid.focusDatasetRow(2);
    grid.setFilterText(QStringLiteral("MandorName"), QStringLiteral("agus"));
    EXPECT_EQ(grid.focusedDatasetRow(), 1);
    EXPECT_EQ(ds.currentRow(), 1);
    grid.setFilterText(QStringLiteral("MandorName"), QStringLiteral("zzz"));
    EXPECT_EQ(grid.focusedDatasetRow(), -1);
    grid.setFilterText(QStringLiteral("MandorName"), QString());
    EXPECT_EQ(grid.focusedDatasetRow(), 1);
}

TEST_F(DataGridTest, RefocusesAfterReload) {
    grid.focusDatasetRow(4);
    ds.close();
    EXPECT_EQ(grid.rowCountVisible(), 0);
    loadLines(ds);
    EXPECT_EQ(grid.rowCountVisible(), 6);
    EXPECT_EQ(grid.focusedDatasetRow(), 4);
    EXPECT_EQ(ds.currentRow(), 4);
    // a reload with fewer rows and fields falls back to the first row; the calculated
    // field now fails and its column stays empty instead of taking the program down
    ds.close();
    ds.loadRows({{QStringLiteral("MandorName"), FieldType::Text}}, {{"X"}});
    EXPECT_EQ(grid.focusedDatasetRow(), 0);
    EXPECT_EQ(grid.displayText(0, QStringLiteral("Qty")), QString()); // missing field: empty
    EXPECT_EQ(grid.displayText(0, QStringLiteral("Total")), QString());
    EXPECT_EQ(grid.displayText(0, QStringLiteral("MandorName")), QStringLiteral("X"));
}

TEST_F(DataGridTest, AppendAndDeleteRowsUpdateTheGrid) {
    ds.appendRow({{QStringLiteral("MandorName"), QStringLiteral("Dedi")},
                  {QStringLiteral("Qty"), 2},
                  {QStringLiteral("Price"), 50},
                  {QStringLiteral("LineNo"), 7}});
    EXPECT_EQ(grid.rowCountVisible(), 7);
    EXPECT_EQ(grid.focusedDatasetRow(), 6);
    EXPECT_EQ(grid.displayText(grid.visualRowOf(6), QStringLiteral("MandorName")),
              QStringLiteral("DEDI"));
    EXPECT_EQ(grid.footerText(QStringLiteral("Total")), QStringLiteral("4.027.100,00"));
    ds.deleteRow(0);
    EXPECT_EQ(grid.rowCountVisible(), 6);
    EXPECT_EQ(grid.footerText(QStringLiteral("Total")), QStringLiteral("4.012.100,00"));
    EXPECT_EQ(grid.displayText(grid.visualRowOf(0), QStringLiteral("WorkDesc")),
              QStringLiteral("Urugan pasir"));
}

TEST_F(DataGridTest, DoubleClickAndEnterReportTheDatasetRow) {
    QList<int> dbl, enter;
    record(&grid, &DataGrid::doubleClicked, &dbl);
    record(&grid, &DataGrid::enterPressed, &enter);
    grid.sortBy(QStringLiteral("LineNo"), Qt::DescendingOrder);
    emit grid.view()->doubleClicked(grid.model()->index(0, 0));
    EXPECT_EQ(dbl, QList<int>({5}));
    grid.view()->setCurrentIndex(grid.model()->index(1, 0));
    QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(grid.view(), &ret);
    EXPECT_EQ(enter, QList<int>({4}));
}

TEST_F(DataGridTest, PaintsWithoutErrors) {
    grid.setGroupColumns({QStringLiteral("MandorName"), QStringLiteral("SPKCode")});
    grid.show();
    const QPixmap shot = grid.grab();
    EXPECT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), grid.size());
}

} // namespace
