#include "TFmProjectSPKMandorEntry.h"

#include "TDMSPK.h"
#include "TFmProjectSPKMandorEntry2.h"
#include "app/SessionContext.h"
#include "app/TDMMain.h"
#include "db/DbError.h"
#include "db/TransactionGuard.h"
#include "masterdata/TFmCompanyList.h"
#include "platform/ui/BrowseEdit.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/HeaderBand.h"
#include "platform/ui/MemoEdit.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/NumberEdit.h"
#include "platform/ui/UpperCaseEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using ui::MessageService;

namespace {

QLineEdit* readOnlyEdit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

ui::NumberEdit* numberEdit(const char* name, const char* mask, QWidget* parent) {
    auto* e = new ui::NumberEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setDisplayFormat(QString::fromLatin1(mask));
    e->setNeverEmpty(true);
    e->setValue(0);
    return e;
}

QString rowText(const db::Dataset& ds, const char16_t* field) {
    return ds.hasField(field) ? ds.asString(field) : QString();
}

} // namespace

TFmProjectSPKMandorEntry::TFmProjectSPKMandorEntry(QWidget* parent)
    : ui::ConfirmCloseDialog(QStringLiteral("apakah anda akan membatalkan proses ini?"), parent),
      m_dm(TDMSPK::instance()) {
    setObjectName(QStringLiteral("FmProjectSPKMandorEntry"));
    setWindowTitle(QStringLiteral("SPK Mandor - Entry"));

    auto* header = new ui::HeaderBand(this);
    header->setObjectName(QStringLiteral("pHeader"));
    header->setCaption(QStringLiteral("SPK Mandor - Entry"));
    btnOK = new QPushButton(QStringLiteral("     Simpan     "), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnClose = new QPushButton(QStringLiteral("Tutup"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    auto* toolbar = new QHBoxLayout;
    toolbar->addWidget(btnOK);
    toolbar->addWidget(btnClose);
    toolbar->addStretch();

    // Header fields, in screen order.
    auto* fields = new QGridLayout;
    txtProjectFullName = readOnlyEdit("txtProjectFullName", this);
    txtProjectLocation = new ui::UpperCaseEdit(this);
    txtProjectLocation->setObjectName(QStringLiteral("txtProjectLocation"));
    txtProjectLocation->setReadOnly(true);
    datSPKDate = new ui::DateEdit(this);
    datSPKDate->setObjectName(QStringLiteral("datSPKDate"));
    txtSPKCode = new QLineEdit(this);
    txtSPKCode->setObjectName(QStringLiteral("txtSPKCode"));
    txtSPKCode->setMaxLength(50);
    fields->addWidget(new QLabel(QStringLiteral("Proyek"), this), 0, 0);
    fields->addWidget(txtProjectFullName, 0, 1, 1, 3);
    fields->addWidget(new QLabel(QStringLiteral("Lokasi"), this), 1, 0);
    fields->addWidget(txtProjectLocation, 1, 1, 1, 3);
    fields->addWidget(new QLabel(QStringLiteral("Tanggal Dikeluarkan"), this), 2, 0);
    fields->addWidget(datSPKDate, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("SPK No."), this), 2, 2);
    fields->addWidget(txtSPKCode, 2, 3);

    auto* party1 = new QGroupBox(QStringLiteral("Pihak Ke I (Yang Memberi Perintah)"), this);
    auto* p1 = new QGridLayout(party1);
    txtProjectManagerName = readOnlyEdit("txtProjectManagerName", party1);
    txtProjectCompany = readOnlyEdit("txtProjectCompany", party1);
    p1->addWidget(new QLabel(QStringLiteral("Nama"), party1), 0, 0);
    p1->addWidget(txtProjectManagerName, 0, 1);
    p1->addWidget(new QLabel(QStringLiteral("Jabatan"), party1), 1, 0);
    p1->addWidget(new QLabel(QStringLiteral("Project Manager"), party1), 1, 1);
    p1->addWidget(new QLabel(QStringLiteral("Perusahaan"), party1), 2, 0);
    p1->addWidget(txtProjectCompany, 2, 1);

    auto* party2 = new QGroupBox(QStringLiteral("Pihak Ke II (Yang Menerima Perintah)"), this);
    auto* p2 = new QGridLayout(party2);
    txtSPKMandorName = new ui::BrowseEdit(party2);
    txtSPKMandorName->setObjectName(QStringLiteral("txtSPKMandorName"));
    txtSPKMandorName->setReadOnly(true);
    txtSPKMandorTelp = readOnlyEdit("txtSPKMandorTelp", party2);
    p2->addWidget(new QLabel(QStringLiteral("Nama"), party2), 0, 0);
    p2->addWidget(txtSPKMandorName, 0, 1);
    p2->addWidget(new QLabel(QStringLiteral("Jabatan"), party2), 1, 0);
    p2->addWidget(new QLabel(QStringLiteral("Mandor"), party2), 1, 1);
    p2->addWidget(new QLabel(QStringLiteral("Telp"), party2), 2, 0);
    p2->addWidget(txtSPKMandorTelp, 2, 1);
    auto* parties = new QHBoxLayout;
    parties->addWidget(party1);
    parties->addWidget(party2);

    auto* caption = new QLabel(
        QStringLiteral("Pekerjaan yang diperintahkan untuk dilaksanankan adalah :"), this);
    grdSPKDetail = new ui::DataGrid(this);
    grdSPKDetail->setObjectName(QStringLiteral("grdSPKDetail"));
    buildGrid();
    btnAdd = new QPushButton(QStringLiteral("Add"), this);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnEdit = new QPushButton(QStringLiteral("Edit"), this);
    btnEdit->setObjectName(QStringLiteral("btnEdit"));
    btnEdit->setEnabled(false);
    btnRemove = new QPushButton(QStringLiteral("Remove"), this);
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addWidget(btnAdd);
    lineButtons->addWidget(btnEdit);
    lineButtons->addWidget(btnRemove);
    lineButtons->addStretch();

    // Note, total and percentages below the lines.
    txtSPKDesc = new ui::MemoEdit(this);
    txtSPKDesc->setObjectName(QStringLiteral("txtSPKDesc"));
    txtSPKDesc->setMaxLength(256);
    txtSPKDesc->setFixedHeight(60);
    txtSPKTotalAmount = numberEdit("txtSPKTotalAmount", "#,##0;(#,##0)", this);
    txtSPKTotalAmount->setReadOnly(true); // follows the lines
    txtSPKRetensi = numberEdit("txtSPKRetensi", "#,##0.00;(#,##0.00)", this);
    txtSPKPPh = numberEdit("txtSPKPPh", "#,##0.00;(#,##0.00)", this);
    auto* bottom = new QGridLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Catatan :"), this), 0, 0, Qt::AlignTop);
    bottom->addWidget(txtSPKDesc, 0, 1, 3, 1);
    bottom->addWidget(new QLabel(QStringLiteral("Total SPK"), this), 0, 2);
    bottom->addWidget(txtSPKTotalAmount, 0, 3, 1, 2);
    bottom->addWidget(new QLabel(QStringLiteral("Retensi"), this), 1, 2);
    bottom->addWidget(txtSPKRetensi, 1, 3);
    bottom->addWidget(new QLabel(QStringLiteral("%"), this), 1, 4);
    bottom->addWidget(new QLabel(QStringLiteral("PPh"), this), 2, 2);
    bottom->addWidget(txtSPKPPh, 2, 3);
    bottom->addWidget(new QLabel(QStringLiteral("%"), this), 2, 4);
    bottom->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header);
    layout->addLayout(toolbar);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addLayout(fields);
    body->addLayout(parties);
    body->addWidget(caption);
    body->addWidget(grdSPKDetail, 1);
    body->addLayout(lineButtons);
    body->addLayout(bottom);
    layout->addLayout(body, 1);
    resize(900, 640);

    connect(btnOK, &QPushButton::clicked, this, &TFmProjectSPKMandorEntry::btnOKClick);
    connect(btnClose, &QPushButton::clicked, this, &TFmProjectSPKMandorEntry::btnCloseClick);
    connect(btnAdd, &QPushButton::clicked, this, &TFmProjectSPKMandorEntry::btnAddClick);
    connect(btnRemove, &QPushButton::clicked, this, &TFmProjectSPKMandorEntry::btnRemoveClick);
    connect(txtSPKMandorName, &ui::BrowseEdit::browseClicked, this,
            &TFmProjectSPKMandorEntry::txtSPKMandorNameBrowse);

    db::Dataset* lines = &m_dm->adodsSPKDetail;
    connect(lines, &db::Dataset::rowsReset, this, &TFmProjectSPKMandorEntry::updateTotal);
    connect(lines, &db::Dataset::rowInserted, this, &TFmProjectSPKMandorEntry::updateTotal);
    connect(lines, &db::Dataset::rowRemoved, this, &TFmProjectSPKMandorEntry::updateTotal);
    connect(lines, &db::Dataset::valueChanged, this, &TFmProjectSPKMandorEntry::updateTotal);

    // Opening: the budget items first (the grid looks its columns up in them).
    const int projectID = TDMMain::instance() ? TDMMain::instance()->currentProjectID() : 0;
    m_dm->openProjectRAPUpah(projectID);
    m_dm->openMeasurement();
    m_loaded = DoLoadData(SessionContext.SPKEntryMode);
    // Bound after the lines opened, so every column finds its field.
    if (m_dm->adodsSPKDetail.isOpen())
        grdSPKDetail->setDataset(&m_dm->adodsSPKDetail);
}

void TFmProjectSPKMandorEntry::buildGrid() {
    using ui::GridColumn;
    const int bandCode = grdSPKDetail->addBand(QStringLiteral("Kode Pekerjaan"));
    const int bandDetail = grdSPKDetail->addBand(QStringLiteral("SPK Detail"));
    auto add = [this](const char* field, const char* caption, int band, int width, const char* mask,
                      bool editable, bool visible = true) {
        GridColumn c(QString::fromLatin1(field), QString::fromLatin1(caption), width);
        c.band = band;
        if (mask)
            c.format = ui::DisplayFormat(QString::fromLatin1(mask));
        c.editable = editable;
        c.visible = visible;
        return c;
    };
    grdSPKDetail->addColumn(add("CoaCode", "Kode", bandCode, 80, nullptr, false));
    grdSPKDetail->addColumn(add("RAPIndex", "Index", bandCode, 45, nullptr, false));
    grdSPKDetail->addColumn(add("CoaName", "Pekerjaan", bandCode, 150, nullptr, false, false));
    grdSPKDetail->addColumn(add("RAPDesc", "RAP", bandCode, 200, nullptr, false, false));
    grdSPKDetail->addColumn(add("SPKDWorkDesc", "Uraian", bandDetail, 240, nullptr, true));
    grdSPKDetail->addColumn(add("MeasurementCode", "Satuan", bandDetail, 55, nullptr, false));
    grdSPKDetail->addColumn(
        add("SPKDQuantity", "Volume", bandDetail, 80, "#,##0.00;(#,##0.00)", true));
    grdSPKDetail->addColumn(add("SPKDPriceAmount", "Harga", bandDetail, 95, "#,##0;(#,##0)", true));
    GridColumn total = add("SPKDTotalAmount", "Total", bandDetail, 110, "#,##0;(#,##0)", false);
    total.footer = ui::GridSummary::Sum;
    grdSPKDetail->addColumn(total);
    grdSPKDetail->addColumn(add("SPKDDesc", "Keterangan", bandDetail, 160, nullptr, true));
}

void TFmProjectSPKMandorEntry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_loaded) {
        // nothing was loaded, so nothing to lose
        QTimer::singleShot(0, this, &TFmProjectSPKMandorEntry::rejectWithoutAsking);
    }
}

bool TFmProjectSPKMandorEntry::DoLoadData(const QString& mode) {
    m_mode = mode;
    if (mode == QLatin1String("INSERT")) {
        const db::Dataset* project =
            TDMMain::instance() ? &TDMMain::instance()->adodsProject : nullptr;
        if (project) {
            txtProjectFullName->setText(rowText(*project, u"ProjectFullName"));
            txtProjectLocation->setText(rowText(*project, u"City"));
            txtProjectManagerName->setText(rowText(*project, u"ProjectManager"));
            txtProjectCompany->setText(rowText(*project, u"ProjectCompanyName"));
        }
        datSPKDate->setDate(QDate::currentDate());
        txtSPKCode->clear();
        txtSPKMandorName->clear();
        txtSPKMandorTelp->clear();
        txtSPKDesc->setText(QString());
        txtSPKTotalAmount->setValue(0);
        txtSPKRetensi->setValue(5);
        txtSPKPPh->setValue(4);
        m_oldSPKCode.clear();
        m_dm->openSPKDetail(QStringLiteral("AUTOMATIC"));
        return true;
    }
    if (mode == QLatin1String("UPDATE")) {
        const db::Dataset& row = m_dm->adospProjectSPKMandorView;
        txtProjectFullName->setText(row.asString(u"ProjectCode") + QStringLiteral(" - ") +
                                    row.asString(u"ProjectName"));
        txtProjectLocation->setText(row.asString(u"City"));
        datSPKDate->setDate(row.asDateTime(u"SPKDate").date());
        txtSPKCode->setText(row.asString(u"SPKCode"));
        txtProjectManagerName->setText(row.asString(u"ProjectManager"));
        txtProjectCompany->setText(row.asString(u"ProjectCompanyName"));
        txtSPKMandorName->setText(row.asString(u"MandorName"));
        txtSPKMandorTelp->setText(row.asString(u"MandorTelp"));
        txtSPKDesc->setText(row.asString(u"SPKDesc3"));
        txtSPKRetensi->setValue(row.asDecimal(u"SPKRetensionPercentage"));
        txtSPKPPh->setValue(row.asDecimal(u"SPKPPhPercentage"));
        SessionContext.SelectedCompanyID = row.asInt(u"CompanyID");
        m_oldSPKCode = row.asString(u"SPKCode");
        m_dm->openSPKDetail(txtSPKCode->text());
        return true;
    }
    MessageService::warning(QStringLiteral("Load Data Type tidak terdaftar"));
    return false;
}

void TFmProjectSPKMandorEntry::updateTotal() {
    const db::Dataset& lines = m_dm->adodsSPKDetail;
    if (lines.rowCount() == 0)
        return; // the footer shows nothing without lines; the field keeps its value
    double sum = 0;
    for (int r = 0; r < lines.rowCount(); ++r)
        sum += lines.value(r, u"SPKDTotalAmount").toDouble();
    txtSPKTotalAmount->setValue(sum);
}

void TFmProjectSPKMandorEntry::txtSPKMandorNameBrowse() {
    if (m_pickerOpen)
        return;
    m_pickerOpen = true;
    {
        TFmCompanyList picker(TFmCompanyList::Mode::Picker, this);
        picker.exec();
    }
    m_pickerOpen = false;
    if (SessionContext.PickConfirmed) {
        SessionContext.SelectedCompanyID = SessionContext.PickedCompany.CompanyID;
        txtSPKMandorName->setText(SessionContext.PickedCompany.CompanyName);
        txtSPKMandorTelp->setText(SessionContext.PickedCompany.CompanyFixedPhone);
        SessionContext.PickConfirmed = 0;
    }
}

void TFmProjectSPKMandorEntry::btnAddClick() {
    if (m_lineDialogOpen)
        return;
    m_lineDialogOpen = true;
    {
        TFmProjectSPKMandorEntry2 dialog(this);
        dialog.exec();
    }
    m_lineDialogOpen = false;
}

void TFmProjectSPKMandorEntry::btnRemoveClick() {
    db::Dataset& lines = m_dm->adodsSPKDetail;
    if (lines.currentRow() < 0)
        return;
    if (!MessageService::confirmYesCancel(
            QStringLiteral("Apakah anda akan menghapus item pekerjaan ini?")))
        return;
    lines.deleteRow(lines.currentRow());
}

bool TFmProjectSPKMandorEntry::DoValidateOK() {
    auto fail = [](const QString& message, QWidget* field) {
        MessageService::warning(message);
        field->setFocus();
        return false;
    };
    if (datSPKDate->isNull())
        return fail(QStringLiteral("Tanggal SPK belum diisi."), datSPKDate->lineEdit());
    if (txtSPKCode->text().trimmed().isEmpty())
        return fail(QStringLiteral("No. SPK belum diisi."), txtSPKCode);
    if (txtSPKMandorName->text().isEmpty())
        return fail(QStringLiteral("Nama mandor belum diisi."), txtSPKMandorName->lineEdit());
    if (m_dm->adodsSPKDetail.rowCount() == 0)
        return fail(QStringLiteral("Item pekerjaan belum diisi."), btnAdd);
    return true;
}

bool TFmProjectSPKMandorEntry::DoSaveOK() {
    if (!MessageService::confirmYesCancel(QStringLiteral("Apakah data akan disimpan ?")))
        return false;
    if (!DoValidateOK())
        return false;
    try {
        return sendSave();
    } catch (const db::DbError& e) {
        // Rolled back; the dialog keeps everything that was typed.
        MessageService::error(e.text());
        return false;
    }
}

// Header, then every line in the set's own order; a refusal anywhere rolls the
// whole save back.
bool TFmProjectSPKMandorEntry::sendSave() {
    const QString code = txtSPKCode->text().trimmed();
    db::TransactionGuard tx(*m_dm->connection());

    db::StoredProc& head = m_dm->adospProjectSPKMandorEntry;
    head.clearValues();
    head.setParam(QStringLiteral("EntryCode"), m_mode);
    head.setParam(QStringLiteral("EntryBy"), SessionContext.UserName);
    head.setParam(QStringLiteral("EntryFrom"), SessionContext.WorkstationName);
    head.setParam(QStringLiteral("SPKCode"),
                  m_mode == QLatin1String("UPDATE") ? m_oldSPKCode : code);
    head.setParam(QStringLiteral("SPKCodeNew"), code);
    head.setParam(QStringLiteral("SPKDate"), QDateTime(datSPKDate->date(), QTime(0, 0)));
    head.setParam(QStringLiteral("ProjectID"),
                  TDMMain::instance() ? TDMMain::instance()->currentProjectID() : 0);
    head.setParam(QStringLiteral("CompanyID"), SessionContext.SelectedCompanyID);
    head.setParam(QStringLiteral("SPKTotalAmount"),
                  QVariant::fromValue(txtSPKTotalAmount->value().rounded(2)));
    head.setParam(QStringLiteral("SPKRetensionPercentage"), txtSPKRetensi->variantValue());
    head.setParam(QStringLiteral("SPKPPhPercentage"), txtSPKPPh->variantValue());
    head.setParam(QStringLiteral("SPKDesc3"), txtSPKDesc->text());
    head.execute();
    if (!head.hasil().ok()) {
        MessageService::warning(head.hasil().message());
        return false;
    }

    db::StoredProc& line = m_dm->adospProjectSPKMandorDetailEntry;
    const db::Dataset& lines = m_dm->adodsSPKDetail;
    for (int r = 0; r < lines.rowCount(); ++r) {
        line.clearValues();
        line.setParam(QStringLiteral("EntryCode"), m_mode);
        line.setParam(QStringLiteral("SPKCode"), code);
        line.setParam(QStringLiteral("RAP2ID"), lines.value(r, u"RAP2ID"));
        line.setParam(QStringLiteral("SPKDWorkDesc"), lines.value(r, u"SPKDWorkDesc"));
        line.setParam(QStringLiteral("MeasurementID"), lines.value(r, u"MeasurementID"));
        line.setParam(QStringLiteral("SPKDQuantity"), lines.value(r, u"SPKDQuantity"));
        line.setParam(QStringLiteral("SPKDPriceAmount"), lines.value(r, u"SPKDPriceAmount"));
        line.setParam(QStringLiteral("SPKDDesc"), lines.value(r, u"SPKDDesc"));
        line.execute();
        if (!line.hasil().ok()) {
            MessageService::warning(line.hasil().message());
            return false;
        }
    }
    tx.commit();
    return true;
}

void TFmProjectSPKMandorEntry::btnOKClick() {
    if (!DoSaveOK())
        return;
    MessageService::information(QStringLiteral("SPK telah berhasil didata."));
    accept();
}

void TFmProjectSPKMandorEntry::btnCloseClick() {
    reject();
}
