#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The logged-in user's password change: the current and the new password go
// scrambled to procChangePassword, which decides and answers.
class TFmPasswordChange : public QDialog {
    Q_OBJECT
public:
    explicit TFmPasswordChange(QWidget* parent = nullptr);

    QPushButton* TbtnSelect;
    QPushButton* TbtnClose;
    QLineEdit* txtPass;
    QLineEdit* txtPassNew;
    QLineEdit* txtPassConfirm;

    bool DoValidateOK();
    // Calls the procedure; true (and the dialog closes) when it answers "00".
    bool DoSaveOK();

public slots:
    void TbtnSelectClick();
    void TbtnCloseClick();

private:
    void FormCreate();
};
