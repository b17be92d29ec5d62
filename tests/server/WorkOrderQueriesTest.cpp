// The client's budget-item queries (workorders/SpkQueries.h): which items they
// offer and the committed volume they report.

#include "WorkOrderTestFixture.h"
#include "db/Dataset.h"
#include "workorders/SpkQueries.h"

namespace wotest {
namespace {

class WorkOrderQueriesTest : public WorkOrderTest {
protected:
    void pettyCash(const QString& receipt, int item, const char* qty, int status) {
        db.exec("INSERT INTO mstProjectPC (ReceiptCode, ReceiptDate, ProjectID, PCCode, StatusID) "
                "VALUES (:r, '2025-03-01', :p, 'LPP-1', :s)",
                {{"r", receipt}, {"p", project}, {"s", status}});
        db.exec("INSERT INTO mstProjectPCDetail (ReceiptCode, PCDIndex, ProjectID, RAP2ID, "
                "PCDQuantity) "
                "VALUES (:r, 1, :p, :i, CAST(:q AS numeric))",
                {{"r", receipt}, {"p", project}, {"i", item}, {"q", QString::fromLatin1(qty)}});
    }
    // Row of item in a dataset, -1 when absent.
    static int rowOf(const db::Dataset& ds, int item) {
        for (int r = 0; r < ds.rowCount(); ++r)
            if (ds.value(r, u"RAP2ID").toInt() == item)
                return r;
        return -1;
    }
};

TEST_F(WorkOrderQueriesTest, CommittedVolumeOfTheListAndOfTheSingleItem) {
    // One work order or voucher per status, each with a distinct power of two,
    // so the sum tells exactly which ones were counted.
    workOrder("SPK-S1", {{itemVolume, "1"}}, 1);
    workOrder("SPK-S11", {{itemVolume, "2"}}, 11);
    workOrder("SPK-S2", {{itemVolume, "4"}, {itemVolume, "0.5"}}, 2);
    workOrder("SPK-S5", {{itemVolume, "8"}}, 5);
    workOrder("SPK-S3", {{itemVolume, "16"}}, 3);
    pettyCash("BKK-2", itemVolume, "32", 2);
    pettyCash("BKK-11", itemVolume, "64", 11);
    pettyCash("BKK-1", itemVolume, "128", 1);
    pettyCash("BKK-5", itemVolume, "256", 5);
    pettyCash("BKK-0", itemVolume, "512", 0);
    pettyCash("BKK-3", itemVolume, "1024", 3);

    db::Dataset list(&db.sa(), QString::fromLatin1(SpkQueries::kProjectRAPUpah));
    list.setParam("ProjectID", project);
    list.open();
    const int r = rowOf(list, itemVolume);
    ASSERT_GE(r, 0);
    EXPECT_EQ(db::Dataset::toDecimal(list.value(r, u"TrxPreviousQuantity")).toString(3),
              "102.500"); // 2+4.5+32+64

    db::Dataset one(&db.sa(), QString::fromLatin1(SpkQueries::kProjectRAPUpahDetail));
    one.setParam("RAP2ID", itemVolume);
    one.open();
    ASSERT_EQ(one.rowCount(), 1);
    EXPECT_EQ(db::Dataset::toDecimal(one.value(0, u"TrxPreviousQuantity")).toString(3),
              "110.500"); // + 8
}

TEST_F(WorkOrderQueriesTest, ListOffersLabourItemsOfTheProjectWithZeroNotNull) {
    db::Dataset list(&db.sa(), QString::fromLatin1(SpkQueries::kProjectRAPUpah));
    list.setParam("ProjectID", project);
    list.open();
    for (int item : {itemVolume, itemLumpSum, itemNoFlag, itemPriceOnly}) {
        const int r = rowOf(list, item);
        ASSERT_GE(r, 0) << item;
        EXPECT_FALSE(list.value(r, u"TrxPreviousQuantity").isNull());
        EXPECT_EQ(db::Dataset::toDecimal(list.value(r, u"TrxPreviousQuantity")).toString(3),
                  "0.000");
    }
    EXPECT_EQ(rowOf(list, itemMaterial), -1);
    EXPECT_EQ(rowOf(list, itemOther), -1);
    EXPECT_EQ(list.rowCount(), 4);

    const int r = rowOf(list, itemVolume);
    EXPECT_EQ(list.value(r, u"COAFullName").toString(), "T9.1.01 - Akun Uji");
    EXPECT_EQ(list.value(r, u"RAPFullName").toString(), "Item 1 (Lantai 1)");
    EXPECT_EQ(list.value(r, u"RAPDesc").toString(), "Grup Uji");
    EXPECT_EQ(list.value(r, u"MeasurementCode").toString(), "M3");
    EXPECT_EQ(list.value(r, u"IsValidateType").toString(), "11");
}

TEST_F(WorkOrderQueriesTest, SingleItemQueryHasNoElementFilter) {
    db::Dataset one(&db.sa(), QString::fromLatin1(SpkQueries::kProjectRAPUpahDetail));
    one.setParam("RAP2ID", itemMaterial);
    one.open();
    ASSERT_EQ(one.rowCount(), 1);
    EXPECT_FALSE(one.hasField(u"RAPDesc"));
    EXPECT_EQ(one.value(0, u"RAPFullName").toString(), "Item 5 (Lantai 1)");
    EXPECT_EQ(db::Dataset::toDecimal(one.value(0, u"TrxPreviousQuantity")).toString(3), "0.000");
}

} // namespace
} // namespace wotest
