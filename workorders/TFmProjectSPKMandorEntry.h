#pragma once

#include "platform/ui/ConfirmCloseDialog.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class TDMSPK;

namespace ui {
class BrowseEdit;
class DataGrid;
class DateEdit;
class MemoEdit;
class NumberEdit;
class UpperCaseEdit;
} // namespace ui

// The work-order dialog: header, foreman, percentages and the lines kept in
// memory (TDMSPK::adodsSPKDetail). The mode comes from SessionContext.SPKEntryMode;
// on "UPDATE" the fields come from the register's current row. The save sends the
// header and then every line in one transaction.
class TFmProjectSPKMandorEntry : public ui::ConfirmCloseDialog {
    Q_OBJECT
public:
    explicit TFmProjectSPKMandorEntry(QWidget* parent = nullptr);

    // False when the mode was not recognised (the dialog then closes when shown).
    bool loaded() const { return m_loaded; }
    bool DoLoadData(const QString& mode);
    bool DoValidateOK();
    bool DoSaveOK();

    QLineEdit* txtProjectFullName;
    ui::UpperCaseEdit* txtProjectLocation;
    ui::DateEdit* datSPKDate;
    QLineEdit* txtSPKCode;
    QLineEdit* txtProjectManagerName;
    QLineEdit* txtProjectCompany;
    ui::BrowseEdit* txtSPKMandorName;
    QLineEdit* txtSPKMandorTelp;
    ui::MemoEdit* txtSPKDesc;
    ui::NumberEdit* txtSPKTotalAmount;
    ui::NumberEdit* txtSPKRetensi;
    ui::NumberEdit* txtSPKPPh;
    ui::DataGrid* grdSPKDetail;
    QPushButton* btnAdd;
    QPushButton* btnEdit;
    QPushButton* btnRemove;
    QPushButton* btnOK;
    QPushButton* btnClose;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGrid();
    void updateTotal();
    void txtSPKMandorNameBrowse();
    void btnAddClick();
    void btnRemoveClick();
    void btnOKClick();
    void btnCloseClick();
    bool sendSave();

    TDMSPK* m_dm;
    QString m_mode;
    QString m_oldSPKCode; // the number before the edit ("UPDATE")
    bool m_loaded = false;
    bool m_lineDialogOpen = false;
    bool m_pickerOpen = false;
};
