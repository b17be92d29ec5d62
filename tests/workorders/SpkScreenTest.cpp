#include "app/SessionContext.h"
#include "app/TDMMain.h"
#include "masterdata/TDMCompany.h"
#include "platform/report/PreparedReport.h"
#include "platform/ui/BrowseEdit.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/LookupBox.h"
#include "platform/ui/MemoEdit.h"
#include "platform/ui/NumberEdit.h"
#include "platform/ui/UpperCaseEdit.h"
#include "support/MessageScript.h"
#include "support/ScreenDriver.h"
#include "support/TestDatabase.h"
#include "workorders/SpkFixture.h"
#include "workorders/TDMSPK.h"
#include "workorders/TFmProjectSPKMandorEntry.h"
#include "workorders/TFmProjectSPKMandorEntry2.h"
#include "workorders/TFmProjectSPKMandorView.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using skmtest::MessageScript;
using skmtest::MsgAnswer;
using skmtest::MsgKind;
using skmtest::ScreenDriver;

namespace {

// A logged-in session on a fresh database with one project in scope.
class SpkScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        SessionContext.reset();
        SessionContext.UserName = QStringLiteral("Tester");
        SessionContext.WorkstationName = QStringLiteral("WS-1");
        project = fx.addProject(QStringLiteral("PRJ-S"), QStringLiteral("Ruko Dago"));
        foreman = fx.addCompany(QStringLiteral("CV. KARYA MANDIRI"), QStringLiteral("022-111"));
        main.ADOConn.open(db.saSettings());
        const int user =
            db.scalar(QStringLiteral("INSERT INTO admUser (UserCode, UserName, UserPassword, "
                                     "ProjectAccess) VALUES ('t', 'Tester', 'x', 'FULL') RETURNING "
                                     "UserID"))
                .toInt();
        main.OpenProjectScope(user);
        ASSERT_EQ(main.currentProjectID(), project);
    }
    void TearDown() override { SessionContext.reset(); }

    skmtest::TestDatabase db;
    skmtest::SpkFixture fx{db};
    TDMMain main;
    TDMCompany company{&main.ADOConn};
    TDMSPK dm{&main.ADOConn};
    int project = 0;
    int foreman = 0;
};

// ---------------------------------------------------------------- line dialog

TEST_F(SpkScreenTest, EmptyLineShowsThreeWarningsInOrderAndFocusEndsOnPrice) {
    dm.openSPKDetail(QStringLiteral("AUTOMATIC"));
    TFmProjectSPKMandorEntry2 dlg;
    ScreenDriver drv(&dlg);
    drv.show();
    MessageScript ms;
    ms.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"), MsgAnswer::Yes)
        .expect(MsgKind::Warning, QStringLiteral("RAP Pekerjaan belum diisi."))
        .expect(MsgKind::Warning, QStringLiteral("Uraian Pekerjaan belum diisi."))
        .expect(MsgKind::Warning, QStringLiteral("Harga SPK belum diisi."));
    EXPECT_FALSE(dlg.DoSaveOK());
    EXPECT_EQ(QApplication::focusWidget(), dlg.txtProjectSPKPriceAmount);
    EXPECT_EQ(dm.adodsSPKDetail.rowCount(), 0);
    EXPECT_EQ(dlg.txtRAPLocation->text(), QStringLiteral("ALL AREA"));
}

TEST_F(SpkScreenTest, ChoosingAnItemProposesDescriptionUnitAndRemainingVolume) {
    const int item =
        fx.addBudgetItem(project, QStringLiteral("8.1"), QStringLiteral("Pasang keramik"),
                         QStringLiteral("Lantai 2"), 2, QStringLiteral("120"),
                         QStringLiteral("55000"), QStringLiteral("11"));
    fx.addWorkOrder(QStringLiteral("OLD"), project, foreman, QDate::currentDate(), 11);
    fx.addLine(QStringLiteral("OLD"), item, QStringLiteral("100.125"), QStringLiteral("55000"));
    dm.openSPKDetail(QStringLiteral("AUTOMATIC"));
    TFmProjectSPKMandorEntry2 dlg;
    ASSERT_TRUE(dlg.cboRAPUpah->setValue(item));
    EXPECT_EQ(dlg.txtRAPDesc->text(), QStringLiteral("PASANG KERAMIK"));
    EXPECT_EQ(dlg.txtProjectSPKUraian->text(), QStringLiteral("PASANG KERAMIK (LANTAI 2)"));
    EXPECT_EQ(dlg.cboMeasurement->value().toInt(), 2);
    EXPECT_EQ(dlg.txtPreviousQuantity->value(), db::Decimal::fromString(u"100.125"));
    EXPECT_EQ(dlg.txtProjectSPKQuantity->value(), db::Decimal::fromString(u"19.875"));

    dlg.txtProjectSPKPriceAmount->setValue(50000);
    EXPECT_EQ(dlg.txtProjectSPKTotalAmount->value(), db::Decimal::fromString(u"993750"));
    {
        MessageScript ms;
        ms.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"),
                  MsgAnswer::Yes);
        EXPECT_TRUE(dlg.DoSaveOK()); // the whole remaining volume passes
    }
    ASSERT_EQ(dm.adodsSPKDetail.rowCount(), 1);
    EXPECT_EQ(dm.adodsSPKDetail.value(0, u"RAP2ID").toInt(), item);
    EXPECT_EQ(dm.adodsSPKDetail.value(0, u"CoaCode").toString(), QStringLiteral("8.1"));
    EXPECT_DOUBLE_EQ(dm.adodsSPKDetail.value(0, u"SPKDTotalAmount").toDouble(), 19.875 * 50000);
}

// Budget checks: flags, unit 1, equality passes.
struct BudgetCase {
    const char* flags;
    int unit;
    const char* volume;
    const char* price;
    const char* message; // nullptr when the line passes
};

class LineBudgetTest : public SpkScreenTest, public ::testing::WithParamInterface<BudgetCase> {};

TEST_P(LineBudgetTest, FlagsDecideTheChecks) {
    const BudgetCase c = GetParam();
    const int item = fx.addBudgetItem(project, QStringLiteral("9.1"), QStringLiteral("Cat dinding"),
                                      QStringLiteral("All"), c.unit, QStringLiteral("10"),
                                      QStringLiteral("1000"), QString::fromLatin1(c.flags));
    dm.openSPKDetail(QStringLiteral("AUTOMATIC"));
    TFmProjectSPKMandorEntry2 dlg;
    ScreenDriver drv(&dlg);
    drv.show();
    ASSERT_TRUE(dlg.cboRAPUpah->setValue(item));
    dlg.txtProjectSPKQuantity->setValue(db::Decimal::fromString(QString::fromLatin1(c.volume)));
    dlg.txtProjectSPKPriceAmount->setValue(db::Decimal::fromString(QString::fromLatin1(c.price)));
    MessageScript ms;
    ms.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"), MsgAnswer::Yes);
    if (c.message)
        ms.expect(MsgKind::Warning, QString::fromLatin1(c.message));
    EXPECT_EQ(dlg.DoSaveOK(), c.message == nullptr);
    EXPECT_EQ(dm.adodsSPKDetail.rowCount(), c.message ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineBudgetTest,
    ::testing::Values(BudgetCase{"11", 2, "10", "1000", nullptr},
                      BudgetCase{"11", 2, "10.001", "1000", "Volume SPK melebihi RAP."},
                      BudgetCase{"11", 1, "50", "1000", nullptr},
                      BudgetCase{"01", 2, "50", "1000", nullptr},
                      BudgetCase{"11", 2, "5", "1000.01", "Harga SPK melebihi RAP."},
                      BudgetCase{"10", 2, "5", "9999", nullptr},
                      BudgetCase{"00", 2, "999", "0", "Harga SPK belum diisi."},
                      BudgetCase{"00", 2, "999", "99999", nullptr}));

// ---------------------------------------------------------------- entry dialog

TEST_F(SpkScreenTest, InsertFillsFromTheCurrentProjectAndValidatesInOrder) {
    SessionContext.SPKEntryMode = QStringLiteral("INSERT");
    TFmProjectSPKMandorEntry dlg;
    ScreenDriver drv(&dlg);
    drv.show();
    EXPECT_EQ(dlg.txtProjectFullName->text(), QStringLiteral("PRJ-S - Ruko Dago"));
    EXPECT_EQ(dlg.txtProjectManagerName->text(), QStringLiteral("Budi Santoso PRJ-S"));
    EXPECT_EQ(dlg.datSPKDate->date(), QDate::currentDate());
    EXPECT_EQ(dlg.txtSPKRetensi->value(), db::Decimal::fromInt(5));
    EXPECT_EQ(dlg.txtSPKPPh->value(), db::Decimal::fromInt(4));
    EXPECT_TRUE(dlg.txtSPKTotalAmount->isReadOnly());

    struct Step {
        std::function<void()> prepare;
        QString message;
        QWidget* focus;
    };
    dlg.datSPKDate->clear();
    const std::vector<Step> steps = {
        {[] {}, QStringLiteral("Tanggal SPK belum diisi."), dlg.datSPKDate->lineEdit()},
        {[&] { dlg.datSPKDate->setDate(QDate::currentDate()); },
         QStringLiteral("No. SPK belum diisi."), dlg.txtSPKCode},
        {[&] { dlg.txtSPKCode->setText(QStringLiteral("SPK/001")); },
         QStringLiteral("Nama mandor belum diisi."), dlg.txtSPKMandorName->lineEdit()},
        {[&] { dlg.txtSPKMandorName->setText(QStringLiteral("CV. KARYA MANDIRI")); },
         QStringLiteral("Item pekerjaan belum diisi."), dlg.btnAdd},
    };
    for (const Step& s : steps) {
        s.prepare();
        MessageScript ms;
        ms.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"),
                  MsgAnswer::Yes)
            .expect(MsgKind::Warning, s.message);
        EXPECT_FALSE(dlg.DoSaveOK());
        EXPECT_EQ(QApplication::focusWidget(), s.focus) << s.message.toStdString();
    }
    MessageScript cancel;
    cancel.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"),
                  MsgAnswer::Cancel);
    EXPECT_FALSE(dlg.DoSaveOK());
}

TEST_F(SpkScreenTest, UnknownModeWarnsAndTheDialogCloses) {
    SessionContext.SPKEntryMode = QStringLiteral("VIEW");
    MessageScript ms;
    ms.expect(MsgKind::Warning, QStringLiteral("Load Data Type tidak terdaftar"));
    TFmProjectSPKMandorEntry dlg;
    EXPECT_FALSE(dlg.loaded());
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
}

TEST_F(SpkScreenTest, EscapeAndTutupAskBeforeDiscardingWhatWasTyped) {
    SessionContext.SPKEntryMode = QStringLiteral("INSERT");
    TFmProjectSPKMandorEntry dlg;
    ScreenDriver drv(&dlg);
    drv.show();
    dlg.txtSPKCode->setText(QStringLiteral("SPK/ESC"));
    const QString ask = QStringLiteral("apakah anda akan membatalkan proses ini?");
    {
        MessageScript ms;
        ms.expect(MsgKind::Confirmation, ask, MsgAnswer::Cancel);
        QTest::keyClick(&dlg, Qt::Key_Escape);
    }
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.txtSPKCode->text(), QStringLiteral("SPK/ESC"));
    {
        MessageScript ms;
        ms.expect(MsgKind::Confirmation, ask, MsgAnswer::Yes);
        drv.click(QStringLiteral("btnClose"));
    }
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(SpkScreenTest, RunningTotalFollowsTheLinesAndASaveSendsEverything) {
    const int a = fx.addBudgetItem(project, QStringLiteral("10.1"), QStringLiteral("Galian"),
                                   QStringLiteral("A"), 3, QStringLiteral("100"),
                                   QStringLiteral("80000"), QStringLiteral("11"));
    SessionContext.SPKEntryMode = QStringLiteral("INSERT");
    TFmProjectSPKMandorEntry dlg;
    dm.adodsSPKDetail.appendRow({{"RAP2ID", a},
                                 {"SPKDWorkDesc", QStringLiteral("Galian A")},
                                 {"MeasurementID", 3},
                                 {"SPKDQuantity", QStringLiteral("2.5")},
                                 {"SPKDPriceAmount", 80000}});
    dm.adodsSPKDetail.appendRow({{"RAP2ID", a},
                                 {"SPKDWorkDesc", QStringLiteral("Galian B")},
                                 {"MeasurementID", 3},
                                 {"SPKDQuantity", QStringLiteral("1")},
                                 {"SPKDPriceAmount", 70000}});
    EXPECT_EQ(dlg.txtSPKTotalAmount->value(), db::Decimal::fromInt(270000));
    dm.adodsSPKDetail.setValue(1, u"SPKDQuantity", 2);
    EXPECT_EQ(dlg.txtSPKTotalAmount->value(), db::Decimal::fromInt(340000));

    dlg.txtSPKCode->setText(QStringLiteral("SPK/010"));
    dlg.txtSPKMandorName->setText(QStringLiteral("CV. KARYA MANDIRI"));
    SessionContext.SelectedCompanyID = foreman;
    MessageScript ms;
    ms.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"), MsgAnswer::Yes);
    EXPECT_TRUE(dlg.DoSaveOK());
    EXPECT_EQ(fx.lineCount(QStringLiteral("SPK/010")), 2);
    EXPECT_EQ(db.scalar(QStringLiteral(
                            "SELECT SPKTotalAmount FROM mstProjectSPK WHERE SPKCode = 'SPK/010'"))
                  .toDouble(),
              340000.0);
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT CompanyID FROM mstProjectSPK WHERE SPKCode = 'SPK/010'"))
            .toInt(),
        foreman);
}

TEST_F(SpkScreenTest, ARefusedLineLeavesNothingOnTheServerAndTheDialogKeepsEverything) {
    const int good = fx.addBudgetItem(project, QStringLiteral("11.1"), QStringLiteral("Bekisting"),
                                      QStringLiteral("A"), 2, QStringLiteral("100"),
                                      QStringLiteral("50000"), QStringLiteral("00"));
    const int otherProject = fx.addProject(QStringLiteral("PRJ-X"), QStringLiteral("Lain"));
    const int foreign = fx.addBudgetItem(
        otherProject, QStringLiteral("11.2"), QStringLiteral("Asing"), QStringLiteral("B"), 2,
        QStringLiteral("100"), QStringLiteral("50000"), QStringLiteral("00"));
    SessionContext.SPKEntryMode = QStringLiteral("INSERT");
    TFmProjectSPKMandorEntry dlg;
    dm.adodsSPKDetail.appendRow({{"RAP2ID", good},
                                 {"SPKDWorkDesc", QStringLiteral("Baik")},
                                 {"MeasurementID", 2},
                                 {"SPKDQuantity", 1},
                                 {"SPKDPriceAmount", 1000}});
    dm.adodsSPKDetail.appendRow({{"RAP2ID", foreign},
                                 {"SPKDWorkDesc", QStringLiteral("Ditolak")},
                                 {"MeasurementID", 2},
                                 {"SPKDQuantity", 1},
                                 {"SPKDPriceAmount", 1000}});
    dlg.txtSPKCode->setText(QStringLiteral("SPK/REF"));
    dlg.txtSPKMandorName->setText(QStringLiteral("CV. KARYA MANDIRI"));
    dlg.txtSPKDesc->setText(QStringLiteral("catatan"));
    SessionContext.SelectedCompanyID = foreman;
    {
        MessageScript ms;
        ms.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"),
                  MsgAnswer::Yes)
            .expectAny(MsgKind::Warning); // the server's refusal of the second line
        EXPECT_FALSE(dlg.DoSaveOK());
    }
    EXPECT_FALSE(fx.workOrderExists(QStringLiteral("SPK/REF")));
    EXPECT_EQ(fx.lineCount(QStringLiteral("SPK/REF")), 0);
    EXPECT_EQ(dm.adodsSPKDetail.rowCount(), 2);
    EXPECT_EQ(dlg.txtSPKCode->text(), QStringLiteral("SPK/REF"));
    EXPECT_EQ(dlg.txtSPKDesc->text(), QStringLiteral("catatan"));
    EXPECT_FALSE(main.ADOConn.inTransaction());

    // Without the refused line the same dialog saves.
    dm.adodsSPKDetail.deleteRow(1);
    MessageScript ms;
    ms.expect(MsgKind::Confirmation, QStringLiteral("Apakah data akan disimpan ?"), MsgAnswer::Yes);
    EXPECT_TRUE(dlg.DoSaveOK());
    EXPECT_EQ(fx.lineCount(QStringLiteral("SPK/REF")), 1);
}

// ---------------------------------------------------------------- register

TEST(SpkRegisterPeriod, WeekRunsMondayToSunday) {
    const QDate wednesday(2026, 12, 9);
    EXPECT_EQ(TFmProjectSPKMandorView::weekStart(wednesday), QDate(2026, 12, 7));
    EXPECT_EQ(TFmProjectSPKMandorView::weekEnd(wednesday), QDate(2026, 12, 13));
    EXPECT_EQ(TFmProjectSPKMandorView::weekStart(QDate(2026, 12, 13)), QDate(2026, 12, 7));
    EXPECT_EQ(TFmProjectSPKMandorView::weekStart(QDate(2026, 12, 7)), QDate(2026, 12, 7));
}

struct StatusCase {
    int status;
    const char* updateInfo; // nullptr: nothing
};

class RegisterStatusTest : public SpkScreenTest,
                           public ::testing::WithParamInterface<StatusCase> {};

TEST_P(RegisterStatusTest, UpdateAndDeleteFollowTheStatus) {
    const StatusCase c = GetParam();
    fx.addWorkOrder(QStringLiteral("SPK-R"), project, foreman, QDate::currentDate(), c.status);
    auto* view = new TFmProjectSPKMandorView;
    ScreenDriver drv(view);
    ASSERT_EQ(dm.adospProjectSPKMandorView.rowCount(), 1);
    {
        MessageScript ms;
        if (c.updateInfo)
            ms.expect(MsgKind::Information, QString::fromLatin1(c.updateInfo));
        view->TbtnUpdate->click();
    }
    {
        MessageScript ms;
        ms.expect(MsgKind::Warning, QStringLiteral("SPK ini tidak dapat dihapus."));
        view->TbtnDelete->click();
    }
    EXPECT_TRUE(fx.workOrderExists(QStringLiteral("SPK-R")));
    delete view;
}

INSTANTIATE_TEST_SUITE_P(Statuses, RegisterStatusTest,
                         ::testing::Values(StatusCase{11, "SPK telah diajukan."},
                                           StatusCase{2, "SPK telah disetujui."},
                                           StatusCase{5, "SPK telah diputus atau dibatalkan."},
                                           StatusCase{3, "SPK telah diputus atau dibatalkan."}));

TEST_F(SpkScreenTest, RegisterShowsTheWeekDeletesAndFollowsTheProject) {
    const QDate monday = TFmProjectSPKMandorView::weekStart(QDate::currentDate());
    fx.addWorkOrder(QStringLiteral("IN-1"), project, foreman, monday, 1);
    fx.addWorkOrder(QStringLiteral("IN-2"), project, foreman, monday.addDays(6), 1);
    fx.addWorkOrder(QStringLiteral("OUT"), project, foreman, monday.addDays(-1), 1);
    auto* view = new TFmProjectSPKMandorView;
    EXPECT_EQ(view->datPeriodStart->date(), monday);
    EXPECT_EQ(view->datPeriodEnd->date(), monday.addDays(6));
    EXPECT_EQ(dm.adospProjectSPKMandorView.rowCount(), 2);

    // Dates alone do not re-query; Refresh does.
    view->datPeriodStart->setDate(monday.addDays(-7));
    EXPECT_EQ(dm.adospProjectSPKMandorView.rowCount(), 2);
    view->TbtnRefresh->click();
    EXPECT_EQ(dm.adospProjectSPKMandorView.rowCount(), 3);

    // Delete of a status-1 work order, then the register re-queries.
    dm.adospProjectSPKMandorView.first();
    const QString code = dm.adospProjectSPKMandorView.asString(u"SPKCode");
    {
        MessageScript ms;
        ms.expect(MsgKind::Confirmation,
                  QStringLiteral("Apakah anda benar-benar akan menhapus SPK ini ?"), MsgAnswer::Yes)
            .expectAny(MsgKind::Information);
        view->TbtnDelete->click();
    }
    EXPECT_FALSE(fx.workOrderExists(code));
    EXPECT_EQ(dm.adospProjectSPKMandorView.rowCount(), 2);

    // The current project changes: the register follows it.
    db.exec(QStringLiteral("DELETE FROM mstProjectSPKDetail"));
    db.exec(QStringLiteral("UPDATE mstProjectSPK SET ProjectID = :p"),
            {{"p", fx.addProject(QStringLiteral("PRJ-T"), QStringLiteral("Lain"))}});
    main.adodsProject.reopen();
    EXPECT_EQ(dm.adospProjectSPKMandorView.rowCount(), 0);
    delete view;
}

TEST_F(SpkScreenTest, PrintPicksTheFinalTemplateOnlyForApprovedWorkOrders) {
    QTemporaryDir dir;
    TDMSPK::setReportsDir(dir.path());
    fx.addWorkOrder(QStringLiteral("P-2"), project, foreman, QDate::currentDate(), 2);
    fx.addWorkOrder(QStringLiteral("P-11"), project, foreman, QDate::currentDate(), 11);
    for (auto [code, status, name] : {std::tuple{"P-2", 2, "rptProjectSPKMandorPrint"},
                                      std::tuple{"P-11", 11, "rptProjectSPKMandorPrintDraft"}}) {
        MessageScript ms;
        ms.expectMatching(MsgKind::Warning, QRegularExpression(QString::fromLatin1(name) +
                                                               QStringLiteral(R"(\.rpt\.xml)")));
        EXPECT_FALSE(dm.DoPrintSPKMandor(QString::fromLatin1(code), status));
        EXPECT_EQ(dm.lastTemplateName(), QString::fromLatin1(name));
        EXPECT_EQ(dm.adodsSPKPrint.asString(u"SPKCode"), QString::fromLatin1(code));
    }
    TDMSPK::setReportsDir(QString());
}

} // namespace
