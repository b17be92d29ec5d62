#include "TFmProjectSPKMandorEntry2.h"

#include "TDMSPK.h"
#include "app/TDMMain.h"
#include "platform/ui/HeaderBand.h"
#include "platform/ui/LookupBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/NumberEdit.h"
#include "platform/ui/UpperCaseEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using ui::MessageService;

namespace {

// Volumes show two decimals and keep the third the database stores, so a
// proposed remaining volume such as 0.125 is not rounded above the budget.
const char* const kVolumeMask = "#,##0.00#;(#,##0.00#)";
const char* const kMoneyMask = "#,##0.00;(#,##0.00)";

ui::NumberEdit* numberEdit(const char* name, const char* mask, bool readOnly, QWidget* parent) {
    auto* e = new ui::NumberEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setDisplayFormat(QString::fromLatin1(mask));
    e->setNeverEmpty(true);
    e->setReadOnly(readOnly);
    e->setValue(0);
    return e;
}

ui::UpperCaseEdit* upperEdit(const char* name, QWidget* parent) {
    auto* e = new ui::UpperCaseEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

} // namespace

TFmProjectSPKMandorEntry2::TFmProjectSPKMandorEntry2(QWidget* parent)
    : ui::ConfirmCloseDialog(QStringLiteral("apakah anda akan membatalkan proses ini?"), parent),
      m_dm(TDMSPK::instance()) {
    setObjectName(QStringLiteral("FmProjectSPKMandorEntry2"));
    setWindowTitle(QStringLiteral("SPK Mandor - Entry"));

    auto* header = new ui::HeaderBand(this);
    header->setObjectName(QStringLiteral("pHeader"));
    header->setCaption(QStringLiteral("SPK Mandor - Entry"));

    btnOK = new QPushButton(QStringLiteral("     Simpan     "), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnClose = new QPushButton(QStringLiteral("Tutup"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnOK->setAutoDefault(false);
    btnClose->setAutoDefault(false);
    auto* toolbar = new QHBoxLayout;
    toolbar->addWidget(btnOK);
    toolbar->addWidget(btnClose);
    toolbar->addStretch();

    auto* rapGroup = new QGroupBox(QStringLiteral("[ RAP ]"), this);
    auto* rapForm = new QFormLayout(rapGroup);
    cboRAPUpah = new ui::LookupBox(rapGroup);
    cboRAPUpah->setObjectName(QStringLiteral("cboRAPUpah"));
    cboRAPUpah->setDataset(&m_dm->adodsProjectRAPUpah);
    cboRAPUpah->setFields(QStringLiteral("RAP2ID"), QStringLiteral("RAPFullName"),
                          {{QStringLiteral("COAFullName"), QStringLiteral("Kode Pekerjaan"), 200},
                           {QStringLiteral("RAPFullName"), QStringLiteral("Uraian"), 300}});
    txtCOAName = new QLineEdit(rapGroup);
    txtCOAName->setObjectName(QStringLiteral("txtCOAName"));
    txtCOAName->setReadOnly(true);
    txtRAPDesc = upperEdit("txtRAPDesc", rapGroup);
    txtRAPLocation = upperEdit("txtRAPLocation", rapGroup);
    txtRAPLocation->setText(QStringLiteral("ALL AREA"));
    txtMeasurement = upperEdit("txtMeasurement", rapGroup);
    txtRAPQuantity = numberEdit("txtRAPQuantity", kVolumeMask, true, rapGroup);
    txtRAPPriceAmount = numberEdit("txtRAPPriceAmount", kMoneyMask, true, rapGroup);
    txtPreviousQuantity = numberEdit("txtPreviousQuantity", kVolumeMask, true, rapGroup);
    rapForm->addRow(QStringLiteral("RAP"), cboRAPUpah);
    rapForm->addRow(QStringLiteral("Kode Pekerjaan"), txtCOAName);
    rapForm->addRow(QStringLiteral("Uraian"), txtRAPDesc);
    rapForm->addRow(QStringLiteral("Lokasi"), txtRAPLocation);
    rapForm->addRow(QStringLiteral("Satuan"), txtMeasurement);
    rapForm->addRow(QStringLiteral("Volume"), txtRAPQuantity);
    rapForm->addRow(QStringLiteral("Harga"), txtRAPPriceAmount);
    rapForm->addRow(QStringLiteral("Volume SPK Lalu"), txtPreviousQuantity);

    auto* spkGroup = new QGroupBox(QStringLiteral("[ SPK Saat Ini ]"), this);
    auto* spkForm = new QFormLayout(spkGroup);
    txtProjectSPKUraian = new QLineEdit(spkGroup);
    txtProjectSPKUraian->setObjectName(QStringLiteral("txtProjectSPKUraian"));
    txtProjectSPKUraian->setMaxLength(256);
    txtProjectSPKQuantity = numberEdit("txtProjectSPKQuantity", kVolumeMask, false, spkGroup);
    cboMeasurement = new ui::LookupBox(spkGroup);
    cboMeasurement->setObjectName(QStringLiteral("cboMeasurement"));
    cboMeasurement->setDataset(&m_dm->adodsMeasurement);
    cboMeasurement->setFields(QStringLiteral("MeasurementID"), QStringLiteral("MeasurementCode"),
                              {{QStringLiteral("MeasurementCode"), QStringLiteral("Kode"), 60},
                               {QStringLiteral("MeasurementName"), QStringLiteral("Satuan"), 150}});
    txtProjectSPKPriceAmount = numberEdit("txtProjectSPKPriceAmount", kMoneyMask, false, spkGroup);
    txtProjectSPKTotalAmount = numberEdit("txtProjectSPKTotalAmount", kMoneyMask, true, spkGroup);
    txtProjectSPKDesc = new QLineEdit(spkGroup);
    txtProjectSPKDesc->setObjectName(QStringLiteral("txtProjectSPKDesc"));
    txtProjectSPKDesc->setMaxLength(256);
    spkForm->addRow(QStringLiteral("Uraian Pekerjaan"), txtProjectSPKUraian);
    spkForm->addRow(QStringLiteral("Volume"), txtProjectSPKQuantity);
    spkForm->addRow(QStringLiteral("Satuan"), cboMeasurement);
    spkForm->addRow(QStringLiteral("Harga"), txtProjectSPKPriceAmount);
    spkForm->addRow(QStringLiteral("Total"), txtProjectSPKTotalAmount);
    spkForm->addRow(QStringLiteral("Keterangan"), txtProjectSPKDesc);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header);
    layout->addLayout(toolbar);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addWidget(rapGroup);
    body->addWidget(spkGroup);
    layout->addLayout(body);
    resize(520, 520);

    connect(btnOK, &QPushButton::clicked, this, &TFmProjectSPKMandorEntry2::btnOKClick);
    connect(btnClose, &QPushButton::clicked, this, &TFmProjectSPKMandorEntry2::btnCloseClick);
    connect(cboRAPUpah, &ui::LookupBox::valueChanged, this,
            &TFmProjectSPKMandorEntry2::cboRAPUpahChange);
    connect(txtProjectSPKQuantity, &ui::NumberEdit::valueChanged, this,
            &TFmProjectSPKMandorEntry2::DoCalc);
    connect(txtProjectSPKPriceAmount, &ui::NumberEdit::valueChanged, this,
            &TFmProjectSPKMandorEntry2::DoCalc);

    FormCreate();
}

void TFmProjectSPKMandorEntry2::FormCreate() {
    const int projectID = TDMMain::instance() ? TDMMain::instance()->currentProjectID() : 0;
    m_dm->openProjectRAPUpah(projectID);
    m_dm->openMeasurement();
}

void TFmProjectSPKMandorEntry2::cboRAPUpahChange() {
    if (cboRAPUpah->isNull())
        return;
    m_dm->openProjectRAPUpahDetail(cboRAPUpah->value().toInt());
    const db::Dataset& d = m_dm->adodsProjectRAPUpahDetail;
    m_rap2ID = d.asInt(u"RAP2ID");
    m_itemMeasurementID = d.asInt(u"MeasurementID");
    m_validateType = d.asString(u"IsValidateType");

    txtCOAName->setText(d.asString(u"COAFullName"));
    txtRAPDesc->setText(d.asString(u"RAP2Desc"));
    txtRAPLocation->setText(d.asString(u"RAPLocation"));
    txtMeasurement->setText(d.asString(u"MeasurementCode"));
    txtRAPQuantity->setValue(d.asDecimal(u"RAPQuantity"));
    txtRAPPriceAmount->setValue(d.asDecimal(u"RAPPriceAmount"));
    txtPreviousQuantity->setValue(d.asDecimal(u"TrxPreviousQuantity"));

    txtProjectSPKUraian->setText(txtRAPDesc->text() + QStringLiteral(" (") +
                                 txtRAPLocation->text() + QStringLiteral(")"));
    if (d.fieldValue(u"MeasurementID").isNull())
        cboMeasurement->clear();
    else
        cboMeasurement->setValue(m_itemMeasurementID);
    txtProjectSPKQuantity->setValue(txtRAPQuantity->value() - txtPreviousQuantity->value());
    DoCalc();
}

void TFmProjectSPKMandorEntry2::DoCalc() {
    txtProjectSPKTotalAmount->setValue(txtProjectSPKQuantity->value() *
                                       txtProjectSPKPriceAmount->value());
}

bool TFmProjectSPKMandorEntry2::DoValidateOK() {
    txtProjectSPKQuantity->commit();
    txtProjectSPKPriceAmount->commit();
    bool ok = true;
    auto fail = [&ok](const QString& message, QWidget* field) {
        MessageService::warning(message);
        field->setFocus();
        ok = false;
    };
    if (txtRAPDesc->text().isEmpty())
        fail(QStringLiteral("RAP Pekerjaan belum diisi."), cboRAPUpah->comboBox());
    if (txtProjectSPKUraian->text().isEmpty())
        fail(QStringLiteral("Uraian Pekerjaan belum diisi."), txtProjectSPKUraian);
    if (!(txtProjectSPKPriceAmount->value() > db::Decimal()))
        fail(QStringLiteral("Harga SPK belum diisi."), txtProjectSPKPriceAmount);
    if (m_validateType.left(1) == QLatin1String("1") && m_itemMeasurementID != 1 &&
        txtRAPQuantity->value() < txtPreviousQuantity->value() + txtProjectSPKQuantity->value())
        fail(QStringLiteral("Volume SPK melebihi RAP."), txtProjectSPKQuantity);
    if (m_validateType.mid(1, 1) == QLatin1String("1") &&
        txtRAPPriceAmount->value() < txtProjectSPKPriceAmount->value())
        fail(QStringLiteral("Harga SPK melebihi RAP."), txtProjectSPKPriceAmount);
    return ok;
}

bool TFmProjectSPKMandorEntry2::DoSaveOK() {
    if (!MessageService::confirmYesCancel(QStringLiteral("Apakah data akan disimpan ?")))
        return false;
    if (!DoValidateOK())
        return false;
    m_dm->adodsSPKDetail.appendRow(
        {{QStringLiteral("RAP2ID"), m_rap2ID},
         {QStringLiteral("SPKDWorkDesc"), txtProjectSPKUraian->text()},
         {QStringLiteral("MeasurementID"), cboMeasurement->value()},
         {QStringLiteral("SPKDQuantity"), txtProjectSPKQuantity->variantValue()},
         {QStringLiteral("SPKDPriceAmount"), txtProjectSPKPriceAmount->variantValue()},
         {QStringLiteral("SPKDDesc"), txtProjectSPKDesc->text()}});
    return true;
}

void TFmProjectSPKMandorEntry2::btnOKClick() {
    if (DoSaveOK())
        accept();
}

void TFmProjectSPKMandorEntry2::btnCloseClick() {
    reject();
}
