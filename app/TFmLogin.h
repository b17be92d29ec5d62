#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The log-in dialog: user code and password, checked against the module code of
// the command that asked for the log-in (SessionContext.LoginModuleCode).
class TFmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TFmLogin(QWidget* parent = nullptr);

    QLineEdit* txtUserName;
    QLineEdit* txtPassword;
    QPushButton* btnOK;
    QPushButton* btnClose;

public slots:
    void btnOKClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool DoValidateOK();
    void txtPasswordKeyPress();
};
