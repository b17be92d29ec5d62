#include "ShellFixture.h"

#include "app/ScreenRegistry.h"
#include "app/TFmLogin.h"
#include "app/TFmMain.h"
#include "app/TFmPasswordChange.h"
#include "app/TFmProjectSelect.h"
#include "app/TFmTemplateModule.h"
#include "db/DbError.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/WindowBar.h"
#include "support/ScreenDriver.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

using shelltest::ShellFixture;
using skmtest::MessageScript;
using skmtest::MsgKind;
using skmtest::ScreenDriver;

namespace {

const QString kSpkView = QStringLiteral("TFmProjectSPKMandorView");
const QString kPaymentView = QStringLiteral("TFmProjectSPKMandorPaymentView");
const QString kCompanyList = QStringLiteral("TFmCompanyList");

class MainWindowTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        registry.addScreen(kSpkView, [this] {
            ++created[kSpkView];
            return new TFmTemplateModule(QStringLiteral("SPK Mandor"));
        });
        registry.addScreen(kPaymentView, [this] {
            ++created[kPaymentView];
            return new TFmTemplateModule(QStringLiteral("Pembayaran SPK Mandor"));
        });
        registry.addScreen(
            kCompanyList,
            [this] {
                ++created[kCompanyList];
                auto* w = new QWidget;
                w->setWindowTitle(QStringLiteral("Company"));
                return w;
            },
            ScreenRegistry::Placement::Window);
        userID = addUser(QStringLiteral("site"), QStringLiteral("Site Admin"), QStringLiteral("pw"),
                         {QStringLiteral("SYS-001"), QStringLiteral("SIT-SPK-001")});
        const int p = addProject(QStringLiteral("P-01"), QStringLiteral("Gedung A"));
        linkProject(userID, p);
        main = std::make_unique<TFmMain>(registry);
    }
    void TearDown() override {
        main.reset();
        ShellFixture::TearDown();
    }

    QAction* action(const QString& name) const {
        auto* a = main->menuBar()->findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name.toStdString();
        return a;
    }
    // Triggers a menu action; a log-in dialog, if one shows, is filled with `password`.
    void trigger(const QString& name, const QString& password = QString(),
                 bool expectLogin = false) {
        ScreenDriver driver;
        if (expectLogin) {
            driver.onNextModal<TFmLogin>([password](TFmLogin* dialog) {
                ScreenDriver d(dialog);
                d.type(QStringLiteral("txtUserName"), QStringLiteral("site"));
                d.type(QStringLiteral("txtPassword"), password);
                d.click(QStringLiteral("btnOK"));
                if (dialog->isVisible())
                    d.click(QStringLiteral("btnClose"));
            });
        }
        ASSERT_TRUE(action(name)->isEnabled()) << name.toStdString();
        action(name)->trigger();
        driver.verifyModals();
    }
    QList<QMdiSubWindow*> children() const {
        return main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    }

    ScreenRegistry registry;
    QHash<QString, int> created;
    int userID = 0;
    std::unique_ptr<TFmMain> main;
};

} // namespace

TEST_F(MainWindowTest, CreationChecksTheVersionAndFillsTheStatusBar) {
    main->FormCreate();
    EXPECT_FALSE(main->terminateRequested());
    EXPECT_EQ(
        main->windowTitle(),
        QStringLiteral("KALVEO GROUP - Integrated System Beta version 0.1.17 (25 Januari 2013)"));
    EXPECT_EQ(SessionContext.WorkstationName, GetWorkstationName());
    EXPECT_EQ(main->statusText(1), QStringLiteral("Proyek :"));
    EXPECT_EQ(main->statusText(2), QStringLiteral("User : "));
    EXPECT_EQ(main->statusText(3),
              QStringLiteral("Server : ") + SessionContext.ServerName + QStringLiteral(" (real)"));
    EXPECT_EQ(main->statusText(4), QStringLiteral("Workstation : ") + GetWorkstationName());
    EXPECT_TRUE(main->statusText(6).isEmpty());
    EXPECT_TRUE(action(QStringLiteral("mnuLOGIN"))->isEnabled());
    for (const char* name : {"mnuLOGOUT", "mnuCHGPWD", "mnuCHGPROJECT"})
        EXPECT_FALSE(action(QString::fromLatin1(name))->isEnabled()) << name;
}

TEST_F(MainWindowTest, ExpiredVersionAsksToTerminate) {
    database.exec(QStringLiteral("UPDATE admVersion SET VersionMinor = 14"));
    MessageScript ms;
    ms.expect(MsgKind::Information,
              QStringLiteral("System expired, contact your system administrator."));
    main->FormCreate();
    EXPECT_TRUE(main->terminateRequested());
    // The creation step still finishes.
    EXPECT_TRUE(main->windowTitle().startsWith(QStringLiteral("KALVEO GROUP")));
    EXPECT_EQ(main->statusText(1), QStringLiteral("Proyek :"));
}

TEST_F(MainWindowTest, DatabaseErrorStopsTheCreationStep) {
    dm->ADOConn.close();
    MessageScript ms;
    ms.expectAny(MsgKind::Error);
    main->FormCreate();
    EXPECT_FALSE(main->terminateRequested());
    EXPECT_FALSE(main->windowTitle().startsWith(QStringLiteral("KALVEO GROUP")));
    EXPECT_TRUE(SessionContext.WorkstationName.isEmpty() ||
                SessionContext.WorkstationName == QStringLiteral("SITE-PC-01"));
}

TEST_F(MainWindowTest, ServerPanelWithoutServerName) {
    SessionContext.ServerName.clear();
    main->DoLogin();
    EXPECT_EQ(main->statusText(3), QStringLiteral("LOGIN FIRST"));
}

TEST_F(MainWindowTest, MenusOfferRegisteredScreensOnly) {
    EXPECT_TRUE(action(QStringLiteral("dxBarButton10"))->isEnabled());
    EXPECT_TRUE(action(QStringLiteral("dxBarButton11"))->isEnabled());
    EXPECT_TRUE(action(QStringLiteral("dxBarButton2"))->isEnabled());
    for (const char* name : {"dxBarButton13", "dxBarButton12", "dxBarButton1", "dxBarButton3"})
        EXPECT_FALSE(action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_FALSE(main->mnuGudang->menuAction()->isEnabled());
    QStringList captions;
    for (QAction* a : main->menuBar()->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Main"), QStringLiteral("Projects"),
                                     QStringLiteral("Gudang"), QStringLiteral("Master Data")}));
}

TEST_F(MainWindowTest, ModuleCommandLogsInForItsModuleAndOpensTheScreenOnce) {
    main->FormCreate();
    trigger(QStringLiteral("dxBarButton10"), QStringLiteral("pw"), true);
    EXPECT_EQ(SessionContext.DepartmentCode, QStringLiteral("00"));
    EXPECT_EQ(SessionContext.DepartmentPrefix, QStringLiteral("SIT-"));
    EXPECT_EQ(SessionContext.ModuleCode, QStringLiteral("SPK-001"));
    EXPECT_EQ(SessionContext.LoginModuleCode, QStringLiteral("SIT-SPK-001"));
    EXPECT_EQ(SessionContext.LoggedIn, 1);
    ASSERT_EQ(children().size(), 1);
    EXPECT_EQ(created[kSpkView], 1);
    EXPECT_EQ(main->GetMDIClassIndex(kSpkView), 0);
    EXPECT_EQ(main->statusText(1), QStringLiteral("Proyek : P-01 - Gedung A"));
    EXPECT_EQ(main->statusText(2), QStringLiteral("User : Site Admin"));
    EXPECT_FALSE(action(QStringLiteral("mnuLOGIN"))->isEnabled());
    EXPECT_TRUE(action(QStringLiteral("mnuLOGOUT"))->isEnabled());

    // Logged in: the other module opens without a rights check (not granted above).
    trigger(QStringLiteral("dxBarButton11"));
    EXPECT_EQ(SessionContext.LoginModuleCode, QStringLiteral("SIT-SPK-002"));
    ASSERT_EQ(children().size(), 2);
    EXPECT_EQ(main->GetMDIClassIndex(kPaymentView), 1);
    EXPECT_EQ(main->windowBar()->captions(),
              (QStringList{QStringLiteral("SPK Mandor"), QStringLiteral("Pembayaran SPK Mandor")}));
    EXPECT_TRUE(children().at(1)->isMaximized());

    // The first command again: its window comes to the front, not rebuilt.
    QPointer<QWidget> first = children().at(0)->widget();
    trigger(QStringLiteral("dxBarButton10"));
    EXPECT_EQ(created[kSpkView], 1);
    EXPECT_EQ(children().size(), 2);
    EXPECT_EQ(main->mdiArea()->activeSubWindow()->widget(), first.data());

    // Closed and chosen again: a fresh one.
    children().at(0)->close();
    ScreenDriver::settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(main->GetMDIClassIndex(kSpkView), -1);
    trigger(QStringLiteral("dxBarButton10"));
    EXPECT_EQ(created[kSpkView], 2);
}

TEST_F(MainWindowTest, RefusedLogInOpensNothingButKeepsTheContext) {
    main->FormCreate();
    MessageScript ms;
    ms.expect(MsgKind::Warning, QStringLiteral("Anda tidak memiliki izin untuk login."));
    trigger(QStringLiteral("dxBarButton11"), QStringLiteral("pw"), true); // SPK-002 not granted
    EXPECT_EQ(SessionContext.LoginModuleCode, QStringLiteral("SIT-SPK-002"));
    EXPECT_EQ(SessionContext.LoggedIn, 0);
    EXPECT_TRUE(children().isEmpty());
    EXPECT_EQ(created[kPaymentView], 0);
}

TEST_F(MainWindowTest, LoginLogoutAndStatusBar) {
    main->FormCreate();
    trigger(QStringLiteral("mnuLOGIN"), QStringLiteral("pw"), true);
    EXPECT_EQ(SessionContext.LoginModuleCode, QStringLiteral("SYS-001"));
    EXPECT_EQ(SessionContext.LoggedIn, 1);
    trigger(QStringLiteral("dxBarButton10"));
    trigger(QStringLiteral("dxBarButton11"));
    ASSERT_EQ(children().size(), 2);
    SessionContext.ViewProjectID = 12;

    trigger(QStringLiteral("mnuLOGOUT"));
    ScreenDriver::settle();
    EXPECT_TRUE(children().isEmpty());
    EXPECT_EQ(main->windowBar()->buttonCount(), 0);
    EXPECT_EQ(SessionContext.LoggedIn, 0);
    EXPECT_TRUE(SessionContext.UserCode.isEmpty());
    EXPECT_TRUE(SessionContext.UserName.isEmpty());
    EXPECT_EQ(SessionContext.ViewProjectID, 0);
    EXPECT_EQ(main->statusText(1), QStringLiteral("Proyek :"));
    EXPECT_EQ(main->statusText(2), QStringLiteral("User : "));
    EXPECT_TRUE(main->statusText(3).startsWith(QStringLiteral("Server : ")));
    EXPECT_TRUE(action(QStringLiteral("mnuLOGIN"))->isEnabled());
    EXPECT_FALSE(action(QStringLiteral("mnuCHGPWD"))->isEnabled());
}

TEST_F(MainWindowTest, EmptyScopeShowsAnEmptyProject) {
    database.exec(QStringLiteral("DELETE FROM admUserProject"));
    main->FormCreate();
    trigger(QStringLiteral("mnuLOGIN"), QStringLiteral("pw"), true);
    EXPECT_EQ(main->statusText(1), QStringLiteral("Proyek :  - "));
}

TEST_F(MainWindowTest, ChangeProjectMovesTheCurrentProject) {
    const int second = addProject(QStringLiteral("P-02"), QStringLiteral("Gedung B"));
    linkProject(userID, second);
    main->FormCreate();
    ScreenDriver driver;
    driver.onNextModal<TFmLogin>([&driver](TFmLogin* dialog) {
        ScreenDriver d(dialog);
        d.type(QStringLiteral("txtUserName"), QStringLiteral("site"));
        d.type(QStringLiteral("txtPassword"), QStringLiteral("pw"));
        driver.onNextModal<TFmProjectSelect>(
            [](TFmProjectSelect* select) { ScreenDriver(select).click(QStringLiteral("btnOK")); });
        d.click(QStringLiteral("btnOK"));
    });
    action(QStringLiteral("mnuLOGIN"))->trigger();
    driver.verifyModals();
    EXPECT_EQ(main->statusText(1), QStringLiteral("Proyek : P-01 - Gedung A"));

    int changes = 0;
    QObject::connect(dm.get(), &TDMMain::currentProjectChanged, [&] { ++changes; });
    driver.onNextModal<TFmProjectSelect>([](TFmProjectSelect* select) {
        ScreenDriver d(select);
        d.find<ui::DataGrid>(QStringLiteral("cxGridDBBandedTableView3"))->focusDatasetRow(1);
        d.click(QStringLiteral("btnOK"));
    });
    trigger(QStringLiteral("mnuCHGPROJECT"));
    driver.verifyModals();
    EXPECT_EQ(dm->currentProjectID(), second);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(main->statusText(1), QStringLiteral("Proyek : P-02 - Gedung B"));
}

TEST_F(MainWindowTest, ChangePasswordOpensTheDialog) {
    main->FormCreate();
    trigger(QStringLiteral("mnuLOGIN"), QStringLiteral("pw"), true);
    ScreenDriver driver;
    bool shown = false;
    driver.onNextModal<TFmPasswordChange>([&](TFmPasswordChange* dialog) {
        shown = true;
        ScreenDriver(dialog).click(QStringLiteral("TbtnClose"));
    });
    trigger(QStringLiteral("mnuCHGPWD"));
    driver.verifyModals();
    EXPECT_TRUE(shown);
    EXPECT_EQ(SessionContext.LoginModuleCode, QStringLiteral("SYS-001"));
}

TEST_F(MainWindowTest, OrdinaryWindowScreensOpenAnewEachTime) {
    main->FormCreate();
    SessionContext.LoggedIn = 1;
    main->DoLogin();
    trigger(QStringLiteral("dxBarButton2"));
    trigger(QStringLiteral("dxBarButton2"));
    EXPECT_EQ(created[kCompanyList], 2);
    EXPECT_TRUE(children().isEmpty());
    EXPECT_EQ(SessionContext.LoginModuleCode, QStringLiteral("CON-PPB-002"));
    EXPECT_EQ(SessionContext.DepartmentCode, QStringLiteral("03"));
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->property(TFmMain::ScreenClassProperty).toString() == kCompanyList)
            w->close();
    }
}

TEST_F(MainWindowTest, FailingScreenShowsTheErrorAndOpensNothing) {
    registry.addScreen(QStringLiteral("TFmProjectPCView2"),
                       []() -> QWidget* { throw db::DbError(QStringLiteral("relation is gone")); });
    main = std::make_unique<TFmMain>(registry);
    main->FormCreate();
    SessionContext.LoggedIn = 1;
    main->DoLogin();
    MessageScript ms;
    ms.expect(MsgKind::Error, QStringLiteral("relation is gone"));
    trigger(QStringLiteral("dxBarButton12"));
    EXPECT_TRUE(children().isEmpty());
    EXPECT_EQ(main->statusText(2), QStringLiteral("User : "));
}
