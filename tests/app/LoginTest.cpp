#include "ShellFixture.h"

#include "app/TFmLogin.h"
#include "app/TFmProjectSelect.h"
#include "platform/ui/DataGrid.h"
#include "support/ScreenDriver.h"

#include <QLineEdit>

using shelltest::ShellFixture;
using skmtest::MessageScript;
using skmtest::MsgKind;
using skmtest::ScreenDriver;

namespace {

const QString kRefused = QStringLiteral("Anda tidak memiliki izin untuk login.");

class LoginTest : public ShellFixture {
protected:
    // Runs EnsureLogin; the dialog is filled and OK clicked (or Enter pressed in the
    // password field). The dialog is cancelled afterwards if it stayed open.
    bool logIn(const QString& user, const QString& password, bool byEnter = false,
               const std::function<void(ScreenDriver&)>& beforeOK = {}) {
        ScreenDriver driver;
        driver.onNextModal<TFmLogin>([&](TFmLogin* dialog) {
            ScreenDriver d(dialog);
            d.type(QStringLiteral("txtUserName"), user);
            d.type(QStringLiteral("txtPassword"), password);
            if (beforeOK)
                beforeOK(d);
            if (byEnter)
                d.pressEnter(QStringLiteral("txtPassword"));
            else
                d.click(QStringLiteral("btnOK"));
            if (dialog->isVisible()) {
                stayedOpen = true;
                d.click(QStringLiteral("btnClose"));
            }
        });
        const bool result = dm->EnsureLogin();
        driver.verifyModals();
        return result;
    }
    bool stayedOpen = false;
};

struct RightsCase {
    const char* name;
    QStringList granted;
    const char* loginModule;
    bool allowed;
};

class LoginRightsTest : public LoginTest, public ::testing::WithParamInterface<RightsCase> {};

} // namespace

TEST_P(LoginRightsTest, PolicyMustGrantTheModuleOfTheCommand) {
    const RightsCase& c = GetParam();
    addUser(QStringLiteral("site"), QStringLiteral("Site Admin"), QStringLiteral("pw"), c.granted);
    SessionContext.LoginModuleCode = QString::fromLatin1(c.loginModule);
    MessageScript ms;
    if (!c.allowed)
        ms.expect(MsgKind::Warning, kRefused);
    EXPECT_EQ(logIn(QStringLiteral("site"), QStringLiteral("pw")), c.allowed);
    EXPECT_EQ(SessionContext.LoggedIn, c.allowed ? 1 : 0);
    EXPECT_EQ(SessionContext.UserName, c.allowed ? QStringLiteral("Site Admin") : QString());
    EXPECT_EQ(SessionContext.UserCode, c.allowed ? QStringLiteral("site") : QString());
    EXPECT_EQ(stayedOpen, !c.allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Rights, LoginRightsTest,
    ::testing::Values(RightsCase{"SystemGranted", {"SYS-001"}, "SYS-001", true},
                      RightsCase{"ModuleGranted", {"SIT-SPK-001"}, "SIT-SPK-001", true},
                      RightsCase{"OtherModuleOnly", {"SIT-SPK-001"}, "SIT-SPK-002", false},
                      RightsCase{
                          "SystemNotGranted", {"SIT-PC-001", "SIT-RAP-001"}, "SYS-001", false},
                      RightsCase{"NoPolicyDetail", {}, "SYS-001", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginTest, WrongPasswordInactiveUserAndUnknownUserGetTheSameWarning) {
    addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")});
    addUser(QStringLiteral("gone"), QStringLiteral("Gone"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")}, QString(), false);
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");
    const std::pair<QString, QString> attempts[] = {
        {QStringLiteral("site"), QStringLiteral("PW")},
        {QStringLiteral("gone"), QStringLiteral("pw")},
        {QStringLiteral("nobody"), QStringLiteral("pw")},
    };
    for (const auto& [user, password] : attempts) {
        SCOPED_TRACE(user.toStdString());
        stayedOpen = false;
        MessageScript ms;
        ms.expect(MsgKind::Warning, kRefused);
        EXPECT_FALSE(logIn(user, password));
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(SessionContext.LoggedIn, 0);
    }
}

TEST_F(LoginTest, EmptyFieldsAreCheckedBeforeTheQuery) {
    addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")});
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");
    struct Case {
        QString user, password, message;
        bool byEnter;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("pw"), QStringLiteral("Username belum diisi."), false},
        {QStringLiteral("site"), QString(), QStringLiteral("Password belum diisi."), false},
        {QStringLiteral("site"), QString(), QStringLiteral("Password belum diisi."), true},
        {QString(), QString(), QStringLiteral("Username belum diisi."), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        MessageScript ms;
        ms.expect(MsgKind::Warning, c.message);
        EXPECT_FALSE(logIn(c.user, c.password, c.byEnter));
        EXPECT_EQ(SessionContext.LoggedIn, 0);
        // The query never ran.
        EXPECT_FALSE(dm->adodsLogin.isOpen());
    }
}

TEST_F(LoginTest, EnterInThePasswordFieldLogsIn) {
    addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")});
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");
    EXPECT_TRUE(logIn(QStringLiteral("site"), QStringLiteral("pw"), true));
    EXPECT_EQ(SessionContext.LoggedIn, 1);
    EXPECT_FALSE(dm->adodsLogin.isOpen());
}

TEST_F(LoginTest, UserCodeIsTypedInLowerCase) {
    addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")});
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");
    QString typed;
    EXPECT_TRUE(logIn(QStringLiteral("SiTe"), QStringLiteral("pw"), false,
                      [&](ScreenDriver& d) { typed = d.text(QStringLiteral("txtUserName")); }));
    EXPECT_EQ(typed, QStringLiteral("site"));
}

TEST_F(LoginTest, LongPasswordsAreComparedWhole) {
    const QString password = QStringLiteral("correct-horse-battery");
    ASSERT_GT(scrambled(password).size(), 25);
    addUser(QStringLiteral("site"), QStringLiteral("Site"), password, {QStringLiteral("SYS-001")});
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");
    {
        // Same first 13 characters, other suffix.
        MessageScript ms;
        ms.expect(MsgKind::Warning, kRefused).expect(MsgKind::Warning, kRefused);
        EXPECT_FALSE(logIn(QStringLiteral("site"), QStringLiteral("correct-horsX-battery")));
        EXPECT_FALSE(logIn(QStringLiteral("site"), QStringLiteral("correct-horse-batterz")));
    }
    EXPECT_TRUE(logIn(QStringLiteral("site"), password));
}

TEST_F(LoginTest, CancelLeavesNobodyLoggedIn) {
    addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")});
    ScreenDriver driver;
    driver.onNextModal<TFmLogin>([](TFmLogin* dialog) {
        ScreenDriver d(dialog);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("KALVEO GROUP"));
        EXPECT_EQ(dialog->size(), QSize(380, 160));
        EXPECT_TRUE(d.text(QStringLiteral("txtUserName")).isEmpty());
        EXPECT_EQ(d.find<QLineEdit>(QStringLiteral("txtPassword"))->echoMode(),
                  QLineEdit::Password);
        EXPECT_EQ(d.find<QLineEdit>(QStringLiteral("txtUserName"))->maxLength(), 100);
        d.type(QStringLiteral("txtUserName"), QStringLiteral("site"));
        d.type(QStringLiteral("txtPassword"), QStringLiteral("pw"));
        d.key(QStringLiteral("txtUserName"), Qt::Key_Escape); // no effect
        EXPECT_TRUE(dialog->isVisible());
        d.click(QStringLiteral("btnClose"));
    });
    EXPECT_FALSE(dm->EnsureLogin());
    driver.verifyModals();
    EXPECT_EQ(SessionContext.LoggedIn, 0);
}

TEST_F(LoginTest, EnsureLoginShowsNothingWhenLoggedIn) {
    SessionContext.LoggedIn = 1;
    EXPECT_TRUE(dm->EnsureLogin()); // a dialog would fail the test: nobody drives it
}

TEST_F(LoginTest, ProjectChoiceFollowsTheNumberOfProjects) {
    const int none = addUser(QStringLiteral("none"), QStringLiteral("None"), QStringLiteral("pw"),
                             {QStringLiteral("SYS-001")});
    const int one = addUser(QStringLiteral("one"), QStringLiteral("One"), QStringLiteral("pw"),
                            {QStringLiteral("SYS-001")});
    addUser(QStringLiteral("all"), QStringLiteral("All"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")}, QStringLiteral("FULL"));
    const int p1 = addProject(QStringLiteral("P-01"), QStringLiteral("Gedung A"), 2, "Bandung");
    addProject(QStringLiteral("P-02"), QStringLiteral("Gedung B"));
    addProject(QStringLiteral("P-03"), QStringLiteral("Gedung C"));
    linkProject(one, p1);
    (void)none;
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");

    // No project: logged in with an empty scope, no choice.
    EXPECT_TRUE(logIn(QStringLiteral("none"), QStringLiteral("pw")));
    EXPECT_EQ(dm->adodsProject.rowCount(), 0);
    EXPECT_EQ(dm->currentProjectID(), 0);

    // One project: it is the current project, no choice.
    SessionContext.LoggedIn = 0;
    EXPECT_TRUE(logIn(QStringLiteral("one"), QStringLiteral("pw")));
    EXPECT_EQ(dm->currentProjectID(), p1);

    // Several: the choice shows; the row focused when it closes is the current project.
    SessionContext.LoggedIn = 0;
    ScreenDriver outer;
    int shownRows = -1;
    QString footer;
    EXPECT_TRUE(logIn(QStringLiteral("all"), QStringLiteral("pw"), false, [&](ScreenDriver&) {
        outer.onNextModal<TFmProjectSelect>([&](TFmProjectSelect* select) {
            ScreenDriver d(select);
            EXPECT_EQ(select->windowTitle(), QStringLiteral("FmProjectSelect"));
            auto* grid = d.find<ui::DataGrid>(QStringLiteral("cxGridDBBandedTableView3"));
            shownRows = grid->rowCountVisible();
            footer = grid->footerText(QStringLiteral("ProjectCode"));
            EXPECT_EQ(grid->visibleColumns(),
                      (QStringList{QStringLiteral("ProjectCode"), QStringLiteral("ProjectName")}));
            grid->focusDatasetRow(2);
            d.click(QStringLiteral("btnClose"));
        });
    }));
    outer.verifyModals();
    EXPECT_EQ(shownRows, 3);
    EXPECT_EQ(footer, QStringLiteral("TOTAL PROJECT = 3"));
    EXPECT_EQ(dm->adodsProject.asString(u"ProjectCode"), QStringLiteral("P-03"));
}

TEST_F(LoginTest, FailingScopeQueryLeavesNobodyLoggedIn) {
    addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
            {QStringLiteral("SYS-001")}, QStringLiteral("FULL"));
    database.exec(QStringLiteral("REVOKE SELECT ON mstProject FROM sa"));
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");
    for (bool byEnter : {false, true}) {
        SCOPED_TRACE(byEnter ? "Enter" : "OK");
        stayedOpen = false;
        MessageScript ms;
        ms.expectMatching(MsgKind::Error,
                          QRegularExpression(QStringLiteral("mstproject"),
                                             QRegularExpression::CaseInsensitiveOption));
        EXPECT_FALSE(logIn(QStringLiteral("site"), QStringLiteral("pw"), byEnter));
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(SessionContext.LoggedIn, 0);
        EXPECT_TRUE(SessionContext.UserName.isEmpty());
        EXPECT_TRUE(SessionContext.UserCode.isEmpty());
    }
}
