#pragma once

#include <QDialog>

class QPushButton;
namespace ui {
class HeaderBand;
}

// Base of the modal entry dialogs: a header band with the dialog caption, a
// client area and a bottom band with "OK" and "Tutup". OK confirms, then runs
// DoValidateOK and DoSaveOK; a derived dialog overrides those two and may
// override DoOpenDataset and DoFillFields.
//
// Derived constructors build their controls in pClient and call FormCreate()
// when they need the dataset open before filling fields; otherwise it runs when
// the dialog is first shown.
class TFmTemplateDialog : public QDialog {
    Q_OBJECT
public:
    // Takes the caption from SessionContext.DialogCaption.
    explicit TFmTemplateDialog(QWidget* parent = nullptr);
    // Sets SessionContext.DialogCaption to `caption` first.
    explicit TFmTemplateDialog(const QString& caption, QWidget* parent = nullptr);

    ui::HeaderBand* pHeader;
    QWidget* pClient;
    QWidget* pMenu;
    QPushButton* btnOK;
    QPushButton* btnClose;

    static constexpr int MenuHeight = 33;

    // The program file's name without its extension: first letter as it is, the
    // rest in lower case.
    static QString applicationTitle();

    // Runs DoOpenDataset once.
    void FormCreate();

public slots:
    void btnOKClick();
    void btnCloseClick();

protected:
    virtual void DoOpenDataset() {}
    virtual void DoLockFields() {}
    virtual void DoFillFields() {}
    virtual bool DoValidateOK() { return false; }
    virtual bool DoSaveOK() { return false; }
    void DoSetButtons() {}

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildFrame();
    bool m_created = false;
};
