#include "ShellFixture.h"

#include "app/TFmPasswordChange.h"
#include "platform/ui/HeaderBand.h"
#include "support/ScreenDriver.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using shelltest::ShellFixture;
using skmtest::MessageScript;
using skmtest::MsgKind;
using skmtest::ScreenDriver;

namespace {

class PasswordChangeTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        addUser(QStringLiteral("site"), QStringLiteral("Site Admin"), QStringLiteral("old-pass"),
                {QStringLiteral("SYS-001")});
        SessionContext.LoggedIn = 1;
        SessionContext.UserCode = QStringLiteral("site");
        SessionContext.UserName = QStringLiteral("Site Admin");
    }
    bool canLogIn(const QString& password) {
        return dm->OpenLogin(QStringLiteral("site"), password, QStringLiteral("SYS-001"))
            .has_value();
    }
    void fill(ScreenDriver& d, const QString& current, const QString& fresh,
              const QString& confirm) {
        d.type(QStringLiteral("txtPass"), current);
        d.type(QStringLiteral("txtPassNew"), fresh);
        d.type(QStringLiteral("txtPassConfirm"), confirm);
    }
};

} // namespace

TEST_F(PasswordChangeTest, Layout) {
    TFmPasswordChange dialog;
    ScreenDriver d(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("FmPasswordChange"));
    EXPECT_EQ(d.find<ui::HeaderBand>(QStringLiteral("pHeader"))->text(),
              QStringLiteral(" [ User - Ubah Password ]"));
    EXPECT_EQ(d.find<QPushButton>(QStringLiteral("TbtnSelect"))->text(),
              QStringLiteral("     Simpan     "));
    EXPECT_EQ(d.find<QPushButton>(QStringLiteral("TbtnClose"))->text(), QStringLiteral("Tutup"));
    EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("[ Ubah Password  ]"));
    for (const char* name : {"txtPass", "txtPassNew", "txtPassConfirm"})
        EXPECT_EQ(d.find<QLineEdit>(QString::fromLatin1(name))->echoMode(), QLineEdit::Password);
}

TEST_F(PasswordChangeTest, ValidationInOrder) {
    struct Case {
        QString current, fresh, confirm, message, focus;
    };
    const Case cases[] = {
        {"", "new", "new", "Password belum diisi.", "txtPass"},
        {"", "", "", "Password belum diisi.", "txtPass"},
        {"old-pass", "", "new", "Data password baru anda belum diisi.", "txtPassNew"},
        {"old-pass", "new", "", "Data password konfirmasi anda belum diisi.", "txtPassConfirm"},
        {"old-pass", "new-pass", "New-Pass", "Password anda tidak sesuai.", ""},
        {"old-pass", "new-pass", "new-pas", "Password anda tidak sesuai.", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        TFmPasswordChange dialog;
        ScreenDriver d(&dialog);
        d.show();
        fill(d, c.current, c.fresh, c.confirm);
        MessageScript ms;
        ms.expect(MsgKind::Warning, c.message);
        d.click(QStringLiteral("TbtnSelect"));
        EXPECT_TRUE(dialog.isVisible());
        if (!c.focus.isEmpty())
            EXPECT_TRUE(d.widget(c.focus)->hasFocus());
    }
    // Nothing reached the server.
    EXPECT_TRUE(canLogIn(QStringLiteral("old-pass")));
}

TEST_F(PasswordChangeTest, ChangeCarriesThroughToTheNextLogIn) {
    TFmPasswordChange dialog;
    ScreenDriver d(&dialog);
    d.show();
    fill(d, QStringLiteral("old-pass"), QStringLiteral("a-much-longer-new-pass"),
         QStringLiteral("a-much-longer-new-pass"));
    MessageScript ms;
    ms.expect(MsgKind::Information, QStringLiteral("Password telah berhasil diubah."));
    d.click(QStringLiteral("TbtnSelect"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(canLogIn(QStringLiteral("a-much-longer-new-pass")));
    EXPECT_FALSE(canLogIn(QStringLiteral("old-pass")));
    // The session is unchanged.
    EXPECT_EQ(SessionContext.LoggedIn, 1);
    EXPECT_EQ(SessionContext.UserName, QStringLiteral("Site Admin"));
    // Who changed it, from where.
    EXPECT_EQ(
        database.scalar(QStringLiteral("SELECT ModifyFrom FROM admUser WHERE UserCode = 'site'"))
            .toString(),
        QStringLiteral("SITE-PC-01"));
}

TEST_F(PasswordChangeTest, RefusalIsShownAsInformationAndTheDialogStays) {
    TFmPasswordChange dialog;
    ScreenDriver d(&dialog);
    d.show();
    fill(d, QStringLiteral("wrong"), QStringLiteral("new-pass"), QStringLiteral("new-pass"));
    MessageScript ms;
    ms.expect(MsgKind::Information, QStringLiteral("Password lama tidak sesuai."));
    d.click(QStringLiteral("TbtnSelect"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(d.text(QStringLiteral("txtPassNew")), QStringLiteral("new-pass"));
    EXPECT_TRUE(canLogIn(QStringLiteral("old-pass")));
}

TEST_F(PasswordChangeTest, DatabaseErrorShowsTheErrorBoxAndTheDialogStays) {
    database.exec(QStringLiteral("REVOKE EXECUTE ON FUNCTION procChangePassword(varchar, varchar, "
                                 "varchar, varchar, varchar) FROM sa, PUBLIC"));
    TFmPasswordChange dialog;
    ScreenDriver d(&dialog);
    d.show();
    fill(d, QStringLiteral("old-pass"), QStringLiteral("new-pass"), QStringLiteral("new-pass"));
    MessageScript ms;
    ms.expectMatching(MsgKind::Error,
                      QRegularExpression(QStringLiteral("permission denied"),
                                         QRegularExpression::CaseInsensitiveOption));
    d.click(QStringLiteral("TbtnSelect"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(canLogIn(QStringLiteral("old-pass")));
}

TEST_F(PasswordChangeTest, TutupClosesWithoutSaving) {
    TFmPasswordChange dialog;
    ScreenDriver d(&dialog);
    d.show();
    fill(d, QStringLiteral("old-pass"), QStringLiteral("new-pass"), QStringLiteral("new-pass"));
    d.click(QStringLiteral("TbtnClose"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(canLogIn(QStringLiteral("old-pass")));
}
