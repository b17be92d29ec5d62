// procProjectSPKMandorSetStatus (the approving office) and
// procProjectSPKMandorDelete.

#include "WorkOrderTestFixture.h"
#include "db/DbError.h"

#include <set>

namespace wotest {
namespace {

class WorkOrderStatusTest : public WorkOrderTest {};

TEST_F(WorkOrderStatusTest, OnlyTheOfficesTransitionsAreAllowed) {
    const std::set<std::pair<int, int>> allowed = {{11, 2}, {11, 5}, {2, 5},
                                                   {1, 3},  {11, 3}, {2, 3}};
    const char* const desc[] = {
        "", "Entry", "SPK telah disetujui.", "SPK telah dibatalkan.", "", "SPK telah diputus."};
    workOrder("SPK-1", {{itemVolume, "10"}});
    for (int from : {1, 11, 2, 5, 3}) {
        for (int to : {1, 11, 2, 5, 3, 7, 0}) {
            SCOPED_TRACE(QStringLiteral("%1 -> %2").arg(from).arg(to).toStdString());
            db.exec(
                "UPDATE mstProjectSPK SET StatusID = :s, StatusDesc = 'sebelum', ModifyBy = NULL "
                "WHERE SPKCode = 'SPK-1'",
                {{"s", from}});
            const QString before = snapshot();
            const db::Hasil h = setStatus("SPK-1", to);
            if (allowed.count({from, to})) {
                ASSERT_TRUE(h.ok()) << h.text().toStdString();
                EXPECT_EQ(text("SELECT concat_ws('|', StatusID, StatusDesc, ModifyBy, ModifyFrom) "
                               "FROM mstProjectSPK WHERE SPKCode = 'SPK-1'"),
                          QStringLiteral("%1|%2|Kantor Pusat|HO")
                              .arg(to)
                              .arg(QString::fromUtf8(desc[to])));
            } else {
                EXPECT_FALSE(h.ok());
                EXPECT_FALSE(h.message().trimmed().isEmpty());
                EXPECT_EQ(snapshot(), before);
            }
        }
    }
}

TEST_F(WorkOrderStatusTest, SetStatusRefusesUnknownWorkOrderAndMissingStatus) {
    EXPECT_EQ(setStatus("SPK-X", 2).code(), "08");
    workOrder("SPK-1", {{itemVolume, "10"}}, 11);
    const QString before = snapshot();
    EXPECT_EQ(setStatus("SPK-1", QVariant()).code(), "20");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(WorkOrderStatusTest, DeleteRemovesAWorkOrderInEntryWithItsLines) {
    workOrder("SPK-1", {{itemVolume, "10"}, {itemNoFlag, "1"}});
    workOrder("SPK-2", {{itemVolume, "5"}});
    const db::Hasil h = remove("SPK-1");
    ASSERT_TRUE(h.ok()) << h.text().toStdString();
    EXPECT_EQ(status("SPK-1"), -1);
    EXPECT_EQ(id("SELECT count(*) FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-1'"), 0);
    EXPECT_EQ(id("SELECT count(*) FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-2'"), 1);
}

TEST_F(WorkOrderStatusTest, DeleteRefusalsChangeNothing) {
    EXPECT_EQ(remove("SPK-X").code(), "08");
    workOrder("SPK-1", {{itemVolume, "10"}});
    for (int s : {11, 2, 5, 3}) {
        SCOPED_TRACE(s);
        db.exec("UPDATE mstProjectSPK SET StatusID = :s WHERE SPKCode = 'SPK-1'", {{"s", s}});
        const QString before = snapshot();
        const db::Hasil h = remove("SPK-1");
        EXPECT_EQ(h.code(), "09") << h.text().toStdString();
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(WorkOrderStatusTest, SaMayNotWriteTheTablesDirectly) {
    workOrder("SPK-1", {{itemVolume, "10"}});
    EXPECT_THROW(db.sa().exec("UPDATE mstProjectSPK SET StatusID = 2"), db::DbError);
    EXPECT_THROW(db.sa().exec("SELECT FunProjectSPKRecalc('SPK-1')"), db::DbError);
    EXPECT_EQ(status("SPK-1"), 1);
}

} // namespace
} // namespace wotest
