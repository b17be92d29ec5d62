#pragma once

#include "platform/ui/ConfirmCloseDialog.h"

#include "db/Decimal.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ui {
class LookupBox;
class NumberEdit;
class UpperCaseEdit;
} // namespace ui

class TDMSPK;

// Adds one line to the work order being edited: the user picks a budget labour
// item, sees its budget and committed volume, and the line is checked against the
// item's own flags before it is appended to TDMSPK::adodsSPKDetail (in memory).
class TFmProjectSPKMandorEntry2 : public ui::ConfirmCloseDialog {
    Q_OBJECT
public:
    explicit TFmProjectSPKMandorEntry2(QWidget* parent = nullptr);

    // Each failing check shows its warning and takes the focus; false when any failed.
    bool DoValidateOK();
    // Confirms, validates and appends the line; true when a line was added.
    bool DoSaveOK();

    ui::LookupBox* cboRAPUpah;
    QLineEdit* txtCOAName;
    ui::UpperCaseEdit* txtRAPDesc;
    ui::UpperCaseEdit* txtRAPLocation;
    ui::UpperCaseEdit* txtMeasurement;
    ui::NumberEdit* txtRAPQuantity;
    ui::NumberEdit* txtRAPPriceAmount;
    ui::NumberEdit* txtPreviousQuantity;

    QLineEdit* txtProjectSPKUraian;
    ui::NumberEdit* txtProjectSPKQuantity;
    ui::LookupBox* cboMeasurement;
    ui::NumberEdit* txtProjectSPKPriceAmount;
    ui::NumberEdit* txtProjectSPKTotalAmount;
    QLineEdit* txtProjectSPKDesc;

    QPushButton* btnOK;
    QPushButton* btnClose;

private:
    void FormCreate();
    void cboRAPUpahChange();
    void DoCalc();
    void btnOKClick();
    void btnCloseClick();

    TDMSPK* m_dm;
    // The chosen item as read from the single-item query.
    int m_rap2ID = 0;
    int m_itemMeasurementID = 0;
    QString m_validateType;
};
