#include "TFmLogin.h"

#include "SessionContext.h"
#include "TDMMain.h"
#include "TFmProjectSelect.h"
#include "db/DbError.h"
#include "platform/ui/HeaderBand.h"
#include "platform/ui/MessageService.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFmLogin::TFmLogin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FmLogin"));
    setWindowTitle(QStringLiteral("KALVEO GROUP"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(380, 160);

    auto* header = new ui::HeaderBand;
    header->setText(QStringLiteral("[ User Login ]"));
    header->setTextColor(Qt::yellow);
    header->setObjectName(QStringLiteral("pHeader"));

    txtUserName = new QLineEdit;
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->setMaxLength(100);
    // The user code is typed in lower case.
    connect(txtUserName, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString lower = text.toLower();
        if (lower != text) {
            const int pos = txtUserName->cursorPosition();
            txtUserName->setText(lower);
            txtUserName->setCursorPosition(pos);
        }
    });

    txtPassword = new QLineEdit;
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->installEventFilter(this);

    auto* form = new QGridLayout;
    form->setContentsMargins(24, 12, 24, 4);
    form->setHorizontalSpacing(6);
    form->addWidget(new QLabel(QStringLiteral("Username")), 0, 0);
    form->addWidget(new QLabel(QStringLiteral(":")), 0, 1);
    form->addWidget(txtUserName, 0, 2);
    form->addWidget(new QLabel(QStringLiteral("Password")), 1, 0);
    form->addWidget(new QLabel(QStringLiteral(":")), 1, 1);
    form->addWidget(txtPassword, 1, 2);

    btnOK = new QPushButton(QStringLiteral("OK"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnClose = new QPushButton(QStringLiteral("Cancel"));
    btnClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* b : {btnOK, btnClose}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(btnOK, &QPushButton::clicked, this, &TFmLogin::btnOKClick);
    connect(btnClose, &QPushButton::clicked, this, &TFmLogin::btnCloseClick);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 8);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    FormCreate();
}

void TFmLogin::FormCreate() {
    txtUserName->clear();
    txtPassword->clear();
}

void TFmLogin::FormShow() {
    txtUserName->setFocus();
}

void TFmLogin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool TFmLogin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPassword && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            txtPasswordKeyPress();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Escape does not close the dialog and Enter outside the password field does nothing.
void TFmLogin::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TFmLogin::txtPasswordKeyPress() {
    btnOKClick();
}

bool TFmLogin::DoValidateOK() {
    if (txtUserName->text().isEmpty()) {
        ui::MessageService::warning(QStringLiteral("Username belum diisi."));
        txtUserName->setFocus();
        return false;
    }
    if (txtPassword->text().isEmpty()) {
        ui::MessageService::warning(QStringLiteral("Password belum diisi."));
        txtPassword->setFocus();
        return false;
    }
    return true;
}

void TFmLogin::btnOKClick() {
    if (!DoValidateOK())
        return;
    TDMMain* dm = TDMMain::instance();
    try {
        const auto row =
            dm->OpenLogin(txtUserName->text(), txtPassword->text(), SessionContext.LoginModuleCode);
        if (!row) {
            ui::MessageService::warning(QStringLiteral("Anda tidak memiliki izin untuk login."));
            return;
        }
        // The session counts as logged in only once its project scope has loaded.
        dm->OpenProjectScope(row->userID);
        SessionContext.UserCode = row->userCode;
        SessionContext.UserName = row->userName;
        SessionContext.LoggedIn = 1;
    } catch (const db::DbError& e) {
        ui::MessageService::error(e.text());
        return;
    }
    if (dm->adodsProject.rowCount() > 1) {
        TFmProjectSelect select(this);
        select.exec();
    }
    dm->adodsLogin.close();
    accept();
}

void TFmLogin::btnCloseClick() {
    reject();
}
