// procProjectSPKMandorSubmit: the status change, its refusals, and the budget
// volume re-check against what is committed at the moment of submission.

#include "WorkOrderTestFixture.h"

#include <QElapsedTimer>
#include <QThread>
#include <thread>

namespace wotest {
namespace {

class WorkOrderSubmitTest : public WorkOrderTest {
protected:
    void pettyCash(const QString& receipt, int item, const char* qty, int status) {
        db.exec("INSERT INTO mstProjectPC (ReceiptCode, ReceiptDate, ProjectID, StatusID) "
                "VALUES (:r, '2025-03-01', :p, :s)",
                {{"r", receipt}, {"p", project}, {"s", status}});
        db.exec("INSERT INTO mstProjectPCDetail (ReceiptCode, PCDIndex, ProjectID, RAP2ID, "
                "PCDQuantity) "
                "VALUES (:r, 1, :p, :i, CAST(:q AS numeric))",
                {{"r", receipt}, {"p", project}, {"i", item}, {"q", QString::fromLatin1(qty)}});
    }
};

TEST_F(WorkOrderSubmitTest, SubmitMovesToElevenWithTheServersText) {
    workOrder("SPK-1", {{itemVolume, "10"}});
    const db::Hasil h = submit("SPK-1");
    ASSERT_TRUE(h.ok()) << h.text().toStdString();
    EXPECT_EQ(text("SELECT concat_ws('|', StatusID, StatusDesc, ModifyBy, ModifyFrom, ModifyTime "
                   "IS NOT NULL) "
                   "FROM mstProjectSPK WHERE SPKCode = 'SPK-1'"),
              "11|SPK telah diajukan.|Pengaju|WS-AJU|t");
}

TEST_F(WorkOrderSubmitTest, RefusalsChangeNothing) {
    workOrder("SPK-1", {{itemVolume, "10"}});
    ASSERT_TRUE(insert("SPK-EMPTY").ok());
    struct Case {
        const char* name;
        const char* code;
        int status; // set on SPK-1 first; 1 keeps it
        bool otherProject;
        const char* expectedCode;
    } const cases[] = {
        {"unknown", "SPK-X", 1, false, "08"},
        {"another project", "SPK-1", 1, true, "05"},
        {"without lines", "SPK-EMPTY", 1, false, "17"},
        {"already submitted", "SPK-1", 11, false, "09"},
        {"approved", "SPK-1", 2, false, "09"},
        {"terminated", "SPK-1", 5, false, "09"},
        {"cancelled", "SPK-1", 3, false, "09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db.exec("UPDATE mstProjectSPK SET StatusID = :s WHERE SPKCode = 'SPK-1'",
                {{"s", c.status}});
        const QString before = snapshot();
        const db::Hasil h = submitOn(db.sa(), c.otherProject ? otherProject : project, c.code);
        EXPECT_EQ(h.code().toStdString(), c.expectedCode) << h.text().toStdString();
        EXPECT_FALSE(h.message().trimmed().isEmpty());
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(WorkOrderSubmitTest, TwoDraftsForTheSameRemainingVolumeCannotBothBeSubmitted) {
    workOrder("SPK-APPROVED", {{itemVolume, "40"}}, 2);
    workOrder("SPK-A", {{itemVolume, "60"}});
    workOrder("SPK-B", {{itemVolume, "60"}});

    ASSERT_TRUE(submit("SPK-A").ok());
    const QString before = snapshot();
    const db::Hasil h = submit("SPK-B");
    EXPECT_EQ(h.code(), "18") << h.text().toStdString();
    EXPECT_TRUE(h.message().contains("Item 1")) << h.text().toStdString();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(status("SPK-B"), 1);

    // Once the competing work order is cancelled its volume is free again.
    ASSERT_TRUE(setStatus("SPK-A", 3).ok());
    EXPECT_TRUE(submit("SPK-B").ok());
}

TEST_F(WorkOrderSubmitTest, CommittedVolumeCountsStatusesTwoElevenFiveAndPettyCash) {
    // Volume 100; the draft asks for 30. What is committed decides.
    struct Case {
        const char* name;
        int spkStatus;     // 0: no other work order
        int voucherStatus; // -1: no petty cash
        bool refused;
    } const cases[] = {
        {"approved", 2, -1, true},          {"submitted", 11, -1, true},
        {"terminated", 5, -1, true},        {"cancelled", 3, -1, false},
        {"other draft", 1, -1, false},      {"voucher approved", 0, 2, true},
        {"voucher submitted", 0, 11, true}, {"voucher in entry", 0, 1, false},
        {"voucher cancelled", 0, 3, false}, {"voucher not reported", 0, 0, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ++n;
        db.exec("DELETE FROM mstProjectSPKDetail");
        db.exec("DELETE FROM mstProjectSPK");
        db.exec("DELETE FROM mstProjectPCDetail");
        db.exec("DELETE FROM mstProjectPC");
        if (c.spkStatus)
            workOrder(QStringLiteral("SPK-OTHER-%1").arg(n), {{itemVolume, "71"}}, c.spkStatus);
        if (c.voucherStatus >= 0)
            pettyCash(QStringLiteral("BKK-%1").arg(n), itemVolume, "71", c.voucherStatus);
        workOrder("SPK-DRAFT", {{itemVolume, "30"}});
        const db::Hasil h = submit("SPK-DRAFT");
        EXPECT_EQ(!h.ok(), c.refused) << h.text().toStdString();
        EXPECT_EQ(status("SPK-DRAFT"), c.refused ? 1 : 11);
    }
}

TEST_F(WorkOrderSubmitTest, ExactlyTheRemainingVolumePasses) {
    workOrder("SPK-APPROVED", {{itemVolume, "70"}}, 2);
    workOrder("SPK-1", {{itemVolume, "30"}});
    EXPECT_TRUE(submit("SPK-1").ok());
}

TEST_F(WorkOrderSubmitTest, OwnLinesOfOneItemAreAddedUp) {
    // Each line fits alone; together they exceed the budget.
    workOrder("SPK-1", {{itemVolume, "60"}, {itemVolume, "50"}});
    const db::Hasil h = submit("SPK-1");
    EXPECT_EQ(h.code(), "18") << h.text().toStdString();
    EXPECT_EQ(status("SPK-1"), 1);
}

TEST_F(WorkOrderSubmitTest, LumpSumAndUnflaggedItemsAreNotVolumeChecked) {
    struct Case {
        const char* name;
        int item;
    } const cases[] = {
        {"unit 1", itemLumpSum},
        {"no flags", itemNoFlag},
        {"price flag only", itemPriceOnly},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString code = QStringLiteral("SPK-%1").arg(++n);
        workOrder(QStringLiteral("SPK-APPROVED-%1").arg(n), {{c.item, "50"}}, 2);
        workOrder(code, {{c.item, "500"}});
        const db::Hasil h = submit(code);
        EXPECT_TRUE(h.ok()) << h.text().toStdString();
    }
    // The flagged item next to them is still checked.
    workOrder("SPK-BIG", {{itemNoFlag, "1000"}, {itemVolume, "101"}});
    EXPECT_EQ(submit("SPK-BIG").code(), "18");
}

TEST_F(WorkOrderSubmitTest, ConcurrentSubmissionsSerializeOnTheBudgetItem) {
    workOrder("SPK-A", {{itemVolume, "60"}});
    workOrder("SPK-B", {{itemVolume, "60"}});

    db::Connection first;
    first.open(db.saSettings());
    first.begin();
    ASSERT_TRUE(submitOn(first, project, "SPK-A").ok());

    // The second submission runs in its own session and must wait for the first.
    const db::ConnectionSettings settings = db.saSettings();
    QString secondHasil;
    std::thread second([&] {
        db::Connection c;
        c.open(settings);
        c.begin();
        secondHasil = submitOn(c, project, "SPK-B").text();
        c.commit();
        c.close();
    });

    QElapsedTimer waited;
    waited.start();
    bool blocked = false;
    while (waited.elapsed() < 20000) {
        if (id("SELECT count(*) FROM pg_locks WHERE NOT granted") > 0) {
            blocked = true;
            break;
        }
        QThread::msleep(20);
    }
    EXPECT_TRUE(blocked);
    first.commit();
    second.join();

    EXPECT_TRUE(secondHasil.startsWith("18")) << secondHasil.toStdString();
    EXPECT_EQ(status("SPK-A"), 11);
    EXPECT_EQ(status("SPK-B"), 1);
}

} // namespace
} // namespace wotest
