// procProjectSPKMandorEntry: header insert and update, and its refusals.

#include "WorkOrderTestFixture.h"

namespace wotest {
namespace {

const QDateTime kDate(QDate(2025, 3, 5), QTime(10, 0));

class WorkOrderEntryTest : public WorkOrderTest {};

TEST_F(WorkOrderEntryTest, InsertCreatesHeaderInStatusOneWithServerTotals) {
    const db::Hasil h =
        entry("INSERT", "SPK-1", "SPK-1", kDate, project, firm, dec("5"), dec("2.5"), "Catatan A");
    ASSERT_TRUE(h.ok()) << h.text().toStdString();
    EXPECT_FALSE(h.message().isEmpty());

    EXPECT_EQ(
        text("SELECT concat_ws('|', SPKDate, ProjectID = :p, CompanyID = :f, "
             "SPKRetensionPercentage, "
             "SPKPPhPercentage, SPKDesc3, StatusID, StatusDesc, SPKTotalAmount, SPKPPn, "
             "SPKPPnAmount, "
             "SPKGrandTotalAmount, EntryBy, EntryFrom, EntryTime IS NOT NULL, ModifyTime IS NULL) "
             "FROM mstProjectSPK WHERE SPKCode = 'SPK-1'",
             {{"p", project}, {"f", firm}}),
        "2025-03-05 10:00:00|t|t|5.00|2.50|Catatan "
        "A|1|Entry|0.00|f|0.00000000|0.00000000|Penguji|WS-"
        "UJI|t|t");
}

TEST_F(WorkOrderEntryTest, UpdateRenamesChangesHeaderAndReplacesStoredLines) {
    workOrder("SPK-OLD", {{itemVolume, "10"}, {itemNoFlag, "2"}});
    ASSERT_EQ(id("SELECT count(*) FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-OLD'"), 2);
    const int otherFirm =
        id("INSERT INTO mstCompany (CompanyName) VALUES ('UD. LAIN') RETURNING CompanyID");

    const db::Hasil h =
        entry("UPDATE", "SPK-OLD", "SPK-NEW", QDateTime(QDate(2025, 3, 9), QTime(0, 0)), project,
              otherFirm, dec("0"), dec("3"), "Diubah");
    ASSERT_TRUE(h.ok()) << h.text().toStdString();
    EXPECT_EQ(status("SPK-OLD"), -1);
    EXPECT_EQ(
        id("SELECT count(*) FROM mstProjectSPKDetail WHERE SPKCode IN ('SPK-OLD', 'SPK-NEW')"), 0);
    EXPECT_EQ(text("SELECT concat_ws('|', SPKDate::date, CompanyID = :f, SPKRetensionPercentage, "
                   "SPKPPhPercentage, "
                   "SPKDesc3, StatusID, SPKTotalAmount, EntryBy, ModifyBy, ModifyFrom, ModifyTime "
                   "IS NOT NULL) "
                   "FROM mstProjectSPK WHERE SPKCode = 'SPK-NEW'",
                   {{"f", otherFirm}}),
              "2025-03-09|t|0.00|3.00|Diubah|1|0.00|Penguji|Penguji|WS-UJI|t");

    // The lines sent after the header become the work order's lines, numbered afresh.
    ASSERT_TRUE(line("SPK-NEW", itemVolume, dec("3"), dec("1500"), 3, "UPDATE").ok());
    EXPECT_EQ(text("SELECT string_agg(SPKDIndex || ':' || SPKDQuantity, ',' ORDER BY SPKDIndex) "
                   "FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-NEW'"),
              "1:3.000");
    EXPECT_EQ(text("SELECT SPKTotalAmount::text FROM mstProjectSPK WHERE SPKCode = 'SPK-NEW'"),
              "4500.00");
}

TEST_F(WorkOrderEntryTest, UpdateKeepingTheNumberWorks) {
    workOrder("SPK-1", {{itemVolume, "10"}});
    ASSERT_TRUE(entry("UPDATE", "SPK-1", "SPK-1", kDate, project, firm).ok());
    EXPECT_EQ(status("SPK-1"), 1);
    EXPECT_EQ(text("SELECT SPKTotalAmount::text FROM mstProjectSPK WHERE SPKCode = 'SPK-1'"), "0.00");
}

struct EntryRefusal {
    const char* name;
    const char* mode;
    const char* code;
    const char* codeNew;
    bool noDate;
    int project; // 0 = test project, -1 = other project, else literal
    int company; // 0 = test firm, else literal
    const char* retension;
    const char* pph;
    int noteLength;
    const char* expectedCode;
};

TEST_F(WorkOrderEntryTest, RefusalsChangeNothing) {
    workOrder("SPK-A", {{itemVolume, "10"}});
    workOrder("SPK-B", {{itemVolume, "5"}}, 11);
    const EntryRefusal cases[] = {
        {"unknown mode", "DELETE", "SPK-C", "SPK-C", false, 0, 0, "5", "4", 0, "01"},
        {"empty mode", "", "SPK-C", "SPK-C", false, 0, 0, "5", "4", 0, "01"},
        {"empty number", "INSERT", "", "", false, 0, 0, "5", "4", 0, "02"},
        {"blank number", "INSERT", "  ", "  ", false, 0, 0, "5", "4", 0, "02"},
        {"number too long", "INSERT", "X", "123456789012345678901234567890123456789012345678901",
         false, 0, 0, "5", "4", 0, "02"},
        {"update without old number", "UPDATE", "", "SPK-A", false, 0, 0, "5", "4", 0, "02"},
        {"no date", "INSERT", "SPK-C", "SPK-C", true, 0, 0, "5", "4", 0, "03"},
        {"negative retention", "INSERT", "SPK-C", "SPK-C", false, 0, 0, "-1", "4", 0, "04"},
        {"retention over 100", "INSERT", "SPK-C", "SPK-C", false, 0, 0, "100.01", "4", 0, "04"},
        {"negative PPh", "INSERT", "SPK-C", "SPK-C", false, 0, 0, "5", "-0.5", 0, "04"},
        {"PPh over 100", "UPDATE", "SPK-A", "SPK-A", false, 0, 0, "5", "101", 0, "04"},
        {"note too long", "INSERT", "SPK-C", "SPK-C", false, 0, 0, "5", "4", 257, "04"},
        {"unknown project", "INSERT", "SPK-C", "SPK-C", false, 999999, 0, "5", "4", 0, "05"},
        {"unknown company", "INSERT", "SPK-C", "SPK-C", false, 0, 999999, "5", "4", 0, "06"},
        {"duplicate on insert", "INSERT", "SPK-A", "SPK-A", false, 0, 0, "5", "4", 0, "07"},
        {"duplicate on rename", "UPDATE", "SPK-A", "SPK-B", false, 0, 0, "5", "4", 0, "07"},
        {"update of unknown", "UPDATE", "SPK-X", "SPK-X", false, 0, 0, "5", "4", 0, "08"},
        {"update of submitted", "UPDATE", "SPK-B", "SPK-B", false, 0, 0, "5", "4", 0, "09"},
        {"update from another project", "UPDATE", "SPK-A", "SPK-A", false, -1, 0, "5", "4", 0,
         "05"},
    };
    for (const EntryRefusal& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = snapshot();
        const int p = c.project == 0 ? project : c.project == -1 ? otherProject : c.project;
        const db::Hasil h =
            entry(c.mode, c.code, c.codeNew, c.noDate ? QVariant() : QVariant(kDate), p,
                  c.company == 0 ? firm : c.company, dec(c.retension), dec(c.pph),
                  QString(c.noteLength, QLatin1Char('n')));
        EXPECT_EQ(h.code().toStdString(), c.expectedCode) << h.text().toStdString();
        EXPECT_FALSE(h.message().trimmed().isEmpty());
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(WorkOrderEntryTest, InsertTakesTheOldNumberWhenTheNewOneIsEmpty) {
    ASSERT_TRUE(entry("INSERT", "SPK-9", "", kDate, project, firm).ok());
    EXPECT_EQ(status("SPK-9"), 1);
}

} // namespace
} // namespace wotest
