// procProjectSPKMandorDetailEntry: line numbering, header totals, PPn from the
// server setting, and the refusals.

#include "WorkOrderTestFixture.h"

namespace wotest {
namespace {

class WorkOrderLineTest : public WorkOrderTest {
protected:
    QString totals(const QString& code) {
        return text("SELECT concat_ws('|', SPKTotalAmount, SPKPPnAmount, SPKGrandTotalAmount) "
                    "FROM mstProjectSPK WHERE SPKCode = :c",
                    {{"c", code}});
    }
};

TEST_F(WorkOrderLineTest, LinesTakeTheNextIndexAndTheHeaderTotalFollows) {
    ASSERT_TRUE(insert("SPK-1").ok());
    ASSERT_TRUE(line("SPK-1", itemVolume, dec("2.5"), dec("40000")).ok());
    EXPECT_EQ(totals("SPK-1"), "100000.00|0.00000000|100000.00000000");
    ASSERT_TRUE(line("SPK-1", itemVolume, dec("1.333"), dec("1500.75")).ok()); // 2000.49975
    ASSERT_TRUE(line("SPK-1", itemNoFlag, dec("0"), dec("100"), 2).ok());
    ASSERT_TRUE(line("SPK-1", itemLumpSum, dec("1"), dec("0.01"), 1).ok());

    EXPECT_EQ(
        text("SELECT string_agg(concat_ws(':', SPKDIndex, RAP2ID, SPKDQuantity, SPKDPriceAmount), "
             "',' "
             "ORDER BY SPKDIndex) FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-1'"),
        QStringLiteral("1:%1:2.500:40000.00,2:%1:1.333:1500.75,3:%2:0.000:100.00,4:%3:1.000:0.01")
            .arg(itemVolume)
            .arg(itemNoFlag)
            .arg(itemLumpSum));
    // 100000 + 2000.49975 + 0 + 0.01 = 102000.50975, rounded to 2 places.
    EXPECT_EQ(totals("SPK-1"), "102000.51|0.00000000|102000.51000000");
    EXPECT_EQ(
        text("SELECT EntryBy FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-1' AND SPKDIndex = 1"),
        "Penguji");
}

TEST_F(WorkOrderLineTest, PPnFollowsTheServerSetting) {
    ASSERT_TRUE(insert("SPK-P").ok());
    db.exec("UPDATE mstProjectSPK SET SPKPPn = true WHERE SPKCode = 'SPK-P'");
    db.exec("UPDATE admSetting SET SettingValue = '11' WHERE SettingKey = 'PPnPercentage'");
    ASSERT_TRUE(line("SPK-P", itemVolume, dec("10"), dec("1000")).ok());
    EXPECT_EQ(totals("SPK-P"), "10000.00|1100.00000000|11100.00000000");

    db.exec("UPDATE admSetting SET SettingValue = '12.5' WHERE SettingKey = 'PPnPercentage'");
    ASSERT_TRUE(line("SPK-P", itemVolume, dec("1"), dec("333.33")).ok());
    EXPECT_EQ(totals("SPK-P"), "10333.33|1291.66625000|11624.99625000");

    // Without the setting a work order with PPn cannot be priced: refused, nothing changed.
    db.exec("DELETE FROM admSetting WHERE SettingKey = 'PPnPercentage'");
    const QString before = snapshot();
    const db::Hasil h = line("SPK-P", itemVolume, dec("1"), dec("1"));
    EXPECT_FALSE(h.ok());
    EXPECT_TRUE(h.message().contains("PPn")) << h.text().toStdString();
    EXPECT_EQ(snapshot(), before);

    // A work order without PPn does not need the setting.
    ASSERT_TRUE(insert("SPK-N").ok());
    ASSERT_TRUE(line("SPK-N", itemVolume, dec("2"), dec("10")).ok());
    EXPECT_EQ(totals("SPK-N"), "20.00|0.00000000|20.00000000");
}

TEST_F(WorkOrderLineTest, ItemsWithoutElementAndOnLumpSumAreLabourItems) {
    ASSERT_TRUE(insert("SPK-1").ok());
    for (int item : {itemVolume, itemLumpSum, itemNoFlag, itemPriceOnly}) {
        const db::Hasil h = line("SPK-1", item, dec("1000"), dec("1"), 2);
        EXPECT_TRUE(h.ok()) << item << " " << h.text().toStdString();
    }
}

struct LineRefusal {
    const char* name;
    const char* code;
    int item; // 0 volume item, 1 material, 2 other project's item, 3 unknown
    int unit;
    const char* qty;
    const char* price;
    const char* mode;
    int descLength;
    const char* expectedCode;
};

TEST_F(WorkOrderLineTest, RefusalsChangeNothing) {
    workOrder("SPK-1", {{itemVolume, "1"}});
    workOrder("SPK-S", {{itemVolume, "1"}}, 11);
    workOrder("SPK-A", {{itemVolume, "1"}}, 2);
    const LineRefusal cases[] = {
        {"unknown mode", "SPK-1", 0, 3, "1", "1", "REPLACE", 0, "01"},
        {"unknown work order", "SPK-X", 0, 3, "1", "1", "INSERT", 0, "08"},
        {"submitted work order", "SPK-S", 0, 3, "1", "1", "INSERT", 0, "09"},
        {"approved work order", "SPK-A", 0, 3, "1", "1", "UPDATE", 0, "09"},
        {"material item", "SPK-1", 1, 3, "1", "1", "INSERT", 0, "11"},
        {"item of another project", "SPK-1", 2, 3, "1", "1", "INSERT", 0, "11"},
        {"unknown item", "SPK-1", 3, 3, "1", "1", "INSERT", 0, "11"},
        {"unknown unit", "SPK-1", 0, 9999, "1", "1", "INSERT", 0, "12"},
        {"zero price", "SPK-1", 0, 3, "1", "0", "INSERT", 0, "13"},
        {"negative price", "SPK-1", 0, 3, "1", "-5", "INSERT", 0, "13"},
        {"no price", "SPK-1", 0, 3, "1", nullptr, "INSERT", 0, "13"},
        {"negative volume", "SPK-1", 0, 3, "-0.001", "1", "INSERT", 0, "14"},
        {"no volume", "SPK-1", 0, 3, nullptr, "1", "INSERT", 0, "14"},
        {"description too long", "SPK-1", 0, 3, "1", "1", "INSERT", 257, "15"},
        {"volume too large", "SPK-1", 0, 3, "1000000000000000", "1", "INSERT", 0, "16"},
        {"total too large", "SPK-1", 0, 3, "999999999999", "99999999999", "INSERT", 0, "16"},
    };
    for (const LineRefusal& c : cases) {
        SCOPED_TRACE(c.name);
        const int items[] = {itemVolume, itemMaterial, itemOther, 999999};
        const QString before = snapshot();
        const db::Hasil h =
            line(c.code, items[c.item], c.qty ? dec(c.qty) : QVariant(),
                 c.price ? dec(c.price) : QVariant(), c.unit, c.mode,
                 c.descLength ? QString(c.descLength, QLatin1Char('u')) : QStringLiteral("Uraian"));
        EXPECT_EQ(h.code().toStdString(), c.expectedCode) << h.text().toStdString();
        EXPECT_FALSE(h.message().trimmed().isEmpty());
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(WorkOrderLineTest, LinesAreNotVolumeCheckedBeforeSubmission) {
    // Status-1 lines commit nothing: a line may exceed the budget until submitted.
    ASSERT_TRUE(insert("SPK-1").ok());
    EXPECT_TRUE(line("SPK-1", itemVolume, dec("150"), dec("1")).ok());
}

} // namespace
} // namespace wotest
