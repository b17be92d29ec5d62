#include "TFmProjectSPKMandorView.h"

#include "TDMSPK.h"
#include "TFmProjectSPKMandorEntry.h"
#include "app/SessionContext.h"
#include "app/TDMMain.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/MessageService.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

using ui::MessageService;

namespace {

QToolButton* toolButton(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

TFmProjectSPKMandorView::TFmProjectSPKMandorView(QWidget* parent)
    : TFmTemplateModule(QStringLiteral("SPK Mandor - List"), parent), m_dm(TDMSPK::instance()) {
    setObjectName(QStringLiteral("FmProjectSPKMandorView"));

    TbtnEntry = toolButton("TbtnEntry", QStringLiteral("&Entry "), pClient);
    TbtnUpdate = toolButton("TbtnUpdate", QStringLiteral("Update"), pClient);
    TbtnDelete = toolButton("TbtnDelete", QStringLiteral("Delete"), pClient);
    TbtnSubmit = toolButton("TbtnSubmit", QStringLiteral("     Submit     "), pClient);
    TbtnRefresh = toolButton("TbtnRefresh", QStringLiteral("Refresh"), pClient);
    TbtnImport = toolButton("TbtnImport", QStringLiteral("Import"), pClient);
    TbtnImport->setEnabled(false); // the workbook import is not part of this client yet
    TbtnPrint = toolButton("TbtnPrint", QStringLiteral("Print "), pClient);
    TbtnClose = toolButton("TbtnClose", QStringLiteral("Close"), pClient);
    auto* toolbar = new QHBoxLayout;
    for (QToolButton* b : {TbtnEntry, TbtnUpdate, TbtnDelete, TbtnSubmit, TbtnRefresh, TbtnImport,
                           TbtnPrint, TbtnClose})
        toolbar->addWidget(b);
    toolbar->addStretch();

    datPeriodStart = new ui::DateEdit(pClient);
    datPeriodStart->setObjectName(QStringLiteral("datPeriodStart"));
    datPeriodEnd = new ui::DateEdit(pClient);
    datPeriodEnd->setObjectName(QStringLiteral("datPeriodEnd"));
    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel(QStringLiteral("Period :"), pClient));
    period->addWidget(datPeriodStart);
    period->addWidget(new QLabel(QStringLiteral("To"), pClient));
    period->addWidget(datPeriodEnd);
    period->addStretch();

    cxGrid1 = new ui::DataGrid(pClient);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    buildGrid();

    auto* layout = new QVBoxLayout(pClient);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(toolbar);
    layout->addLayout(period);
    layout->addWidget(cxGrid1, 1);

    connect(TbtnEntry, &QToolButton::clicked, this, &TFmProjectSPKMandorView::TbtnEntryClick);
    connect(TbtnUpdate, &QToolButton::clicked, this, &TFmProjectSPKMandorView::TbtnUpdateClick);
    connect(TbtnDelete, &QToolButton::clicked, this, &TFmProjectSPKMandorView::TbtnDeleteClick);
    connect(TbtnSubmit, &QToolButton::clicked, this, &TFmProjectSPKMandorView::TbtnSubmitClick);
    connect(TbtnRefresh, &QToolButton::clicked, this, &TFmProjectSPKMandorView::DoReloadData);
    connect(TbtnPrint, &QToolButton::clicked, this, &TFmProjectSPKMandorView::TbtnPrintClick);
    connect(TbtnClose, &QToolButton::clicked, this, &TFmProjectSPKMandorView::closeScreen);
    if (TDMMain* main = TDMMain::instance())
        connect(main, &TDMMain::currentProjectChanged, this,
                &TFmProjectSPKMandorView::DoReloadData);

    const QDate today = QDate::currentDate();
    datPeriodStart->setDate(weekStart(today));
    datPeriodEnd->setDate(weekEnd(today));
    openQuery();
    // Bound after the query opened, so every column finds its field.
    cxGrid1->setDataset(&m_dm->adospProjectSPKMandorView);
    cxGrid1->setGroupColumns({QStringLiteral("MandorName"), QStringLiteral("SPKCode")});
}

QDate TFmProjectSPKMandorView::weekStart(const QDate& day) {
    return day.addDays(1 - day.dayOfWeek());
}

void TFmProjectSPKMandorView::buildGrid() {
    struct Col {
        const char* field;
        const char* caption;
        const char* mask;
        bool visible = true;
        bool offered = true;
    };
    struct Band {
        const char* caption;
        bool offered;
        std::vector<Col> columns;
    };
    const char* money0 = "#,##0;(#,##0)";
    const char* money2 = "#,##0.00;(#,##0.00)";
    const char* vol3 = "#,##0.000;(#,##0.000)";
    const std::vector<Band> bands = {
        {"SPK",
         true,
         {{"MandorName", "Nama Mandor", nullptr},
          {"SPKCode", "No. SPK", nullptr},
          {"StatusDesc", "Status", nullptr},
          {"MandorTelp", "Telp. Mandor", nullptr},
          {"SPKDate", "Tanggal", nullptr},
          {"SPKTotalAmount", "Nilai SPK", money0},
          {"SPKRetensionPercentage", "Retensi (%)", money2},
          {"SPKPPhPercentage", "PPh (%)", money2},
          {"SPKPPn", "PPn", nullptr},
          {"SPKDesc3", "Catatan", nullptr}}},
        {"Kode Pekerjaan",
         true,
         {{"Category", "Kategori", nullptr},
          {"CategorySub", "Sub. Kategori", nullptr},
          {"CoaFullName", "Pekerjaan", nullptr, true, false},
          {"RAPIndex", "Index", nullptr},
          {"RAP2Desc", "RAP (Uraian)", nullptr},
          {"RAPLocation", "Lokasi", nullptr},
          {"CoaCode", "Kode Pekerjaan", nullptr, false, false},
          {"CoaName", "Jenis Pekerjaan", nullptr, false, false},
          {"RAPDesc", "Uraian RAP", nullptr, false, false},
          {"RAP2Index", "RAP2Index", nullptr, false, false}}},
        {"SPK Detail",
         true,
         {{"SPKDIndex", "Index", nullptr},
          {"SPKDWorkDesc", "Item Pekerjaan", nullptr},
          {"SPKDQuantity", "Volume", vol3},
          {"MeasurementCode", "Satuan", nullptr},
          {"SPKDPriceAmount", "Harga", money2},
          {"SPKDTotalAmount", "Total", money2},
          {"SPKDDesc", "Keterangan", nullptr}}},
        {"Realisasi",
         false,
         {{"RealisasiQuantity", "Volume", vol3},
          {"RealisasiTotalAmount", "Total", money2},
          {"RealisasiPercentage", "%", money2}}},
    };
    for (const Band& b : bands) {
        const int band = cxGrid1->addBand(QString::fromLatin1(b.caption), true, b.offered);
        for (const Col& c : b.columns) {
            ui::GridColumn col(QString::fromLatin1(c.field), QString::fromLatin1(c.caption), 100);
            col.band = band;
            col.visible = c.visible;
            col.offered = c.offered;
            if (c.mask)
                col.format = ui::DisplayFormat(QString::fromLatin1(c.mask));
            const QString f = col.fieldName;
            if (f == QLatin1String("SPKDate")) {
                col.dateOnly = true;
                col.format = ui::DisplayFormat::dateOnly();
            }
            if (f == QLatin1String("SPKPPn"))
                col.checkBox = true;
            // Header cells are shown once per work order.
            if (b.caption == std::string_view("SPK"))
                col.merged = true;
            if (f == QLatin1String("SPKDTotalAmount") ||
                f == QLatin1String("RealisasiTotalAmount")) {
                col.footer = ui::GridSummary::Sum;
                col.groupSum = true;
                col.format = ui::DisplayFormat(QString::fromLatin1(money0));
            }
            if (f == QLatin1String("SPKDWorkDesc") || f == QLatin1String("RAP2Desc"))
                col.width = 200;
            cxGrid1->addColumn(col);
        }
    }
    cxGrid1->setFilterRowVisible(true);
}

void TFmProjectSPKMandorView::openQuery() {
    const int projectID = TDMMain::instance() ? TDMMain::instance()->currentProjectID() : 0;
    m_dm->openProjectSPKMandorView(projectID, datPeriodStart->date(), datPeriodEnd->date());
}

void TFmProjectSPKMandorView::DoReloadData() {
    if (m_dm->adospProjectSPKMandorView.isOpen())
        openQuery();
}

int TFmProjectSPKMandorView::focusedStatus() const {
    return m_dm->adospProjectSPKMandorView.asInt(u"StatusID");
}

QString TFmProjectSPKMandorView::focusedCode() const {
    return m_dm->adospProjectSPKMandorView.asString(u"SPKCode");
}

void TFmProjectSPKMandorView::openEntry(const QString& mode) {
    if (m_entryOpen)
        return;
    SessionContext.SPKEntryMode = mode;
    m_entryOpen = true;
    {
        TFmProjectSPKMandorEntry dialog(this);
        dialog.exec();
    }
    m_entryOpen = false;
    DoReloadData();
}

void TFmProjectSPKMandorView::TbtnEntryClick() {
    openEntry(QStringLiteral("INSERT"));
}

void TFmProjectSPKMandorView::TbtnUpdateClick() {
    switch (focusedStatus()) {
    case 1:
        openEntry(QStringLiteral("UPDATE"));
        break;
    case 11:
        MessageService::information(QStringLiteral("SPK telah diajukan."));
        break;
    case 2:
        MessageService::information(QStringLiteral("SPK telah disetujui."));
        break;
    case 5:
    case 3:
        MessageService::information(QStringLiteral("SPK telah diputus atau dibatalkan."));
        break;
    default:
        break;
    }
}

void TFmProjectSPKMandorView::TbtnDeleteClick() {
    if (focusedStatus() != 1) {
        MessageService::warning(QStringLiteral("SPK ini tidak dapat dihapus."));
        return;
    }
    if (!MessageService::confirmYesNo(
            QStringLiteral("Apakah anda benar-benar akan menhapus SPK ini ?")))
        return;
    db::StoredProc& proc = m_dm->adospProjectSPKMandorDelete;
    proc.clearValues();
    proc.setParam(QStringLiteral("SPKCode"), focusedCode());
    proc.execute();
    if (!proc.hasil().ok()) {
        MessageService::warning(proc.hasil().message());
        return;
    }
    MessageService::information(proc.hasil().message());
    DoReloadData();
}

void TFmProjectSPKMandorView::TbtnSubmitClick() {
    const QString code = focusedCode();
    const int status = focusedStatus();
    if (status == 1) {
        if (!MessageService::confirmYesNo(
                QStringLiteral("Apakah anda benar-benar akan mengajukan SPK ini ?")))
            return;
        db::StoredProc& proc = m_dm->adospProjectSPKMandorSubmit;
        proc.clearValues();
        proc.setParam(QStringLiteral("EntryCode"), QString());
        proc.setParam(QStringLiteral("EntryBy"), SessionContext.UserName);
        proc.setParam(QStringLiteral("EntryFrom"), SessionContext.WorkstationName);
        proc.setParam(QStringLiteral("ProjectID"),
                      m_dm->adospProjectSPKMandorView.asInt(u"ProjectID"));
        proc.setParam(QStringLiteral("SPKCode"), code);
        proc.execute();
        if (!proc.hasil().ok()) {
            MessageService::warning(proc.hasil().message());
            return;
        }
        // Printed before the reload, with the status the row had.
        m_dm->DoPrintSPKMandor(code, status);
        DoReloadData();
        return;
    }
    if (!MessageService::confirmYesNo(
            QStringLiteral("SPK ini telah diajukan, apakah hendak mencetak ulang?")))
        return;
    m_dm->DoPrintSPKMandor(code, status);
    DoReloadData();
}

void TFmProjectSPKMandorView::TbtnPrintClick() {
    m_dm->DoPrintSPKMandor(focusedCode(), focusedStatus());
}
