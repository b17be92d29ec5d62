#include "TFmProjectSelect.h"

#include "TDMMain.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/HeaderBand.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFmProjectSelect::TFmProjectSelect(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FmProjectSelect"));
    setWindowTitle(QStringLiteral("FmProjectSelect"));
    resize(520, 420);

    auto* header = new ui::HeaderBand;
    header->setObjectName(QStringLiteral("pHeader"));
    header->setText(QStringLiteral("[ Project ]"));
    header->setTextColor(Qt::yellow);

    cxGridDBBandedTableView3 = new ui::DataGrid;
    cxGridDBBandedTableView3->setObjectName(QStringLiteral("cxGridDBBandedTableView3"));
    const int band = cxGridDBBandedTableView3->addBand(QStringLiteral("Project"));
    ui::GridColumn code(QStringLiteral("ProjectCode"), QStringLiteral("Code"), 120);
    code.band = band;
    code.footer = ui::GridSummary::Count;
    code.footerPattern = QStringLiteral("TOTAL PROJECT = %1");
    ui::GridColumn name(QStringLiteral("ProjectName"), QStringLiteral("Name"), 300);
    name.band = band;
    ui::GridColumn year(QStringLiteral("ProjectYear"), QStringLiteral("Year"), 60);
    year.band = band;
    year.visible = false;
    ui::GridColumn city(QStringLiteral("City"), QStringLiteral("City"), 120);
    city.band = band;
    city.visible = false;
    for (const ui::GridColumn& c : {code, name, year, city})
        cxGridDBBandedTableView3->addColumn(c);
    cxGridDBBandedTableView3->setFilterRowVisible(true);
    cxGridDBBandedTableView3->setFooterVisible(true);
    cxGridDBBandedTableView3->setDataset(&TDMMain::instance()->adodsProject);
    connect(cxGridDBBandedTableView3, &ui::DataGrid::doubleClicked, this,
            [this](int) { cxGridDBBandedTableView3CellDblClick(); });

    btnOK = new QPushButton(QStringLiteral("OK"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnClose = new QPushButton(QStringLiteral("Close"));
    btnClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* b : {btnOK, btnClose}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(btnOK, &QPushButton::clicked, this, &TFmProjectSelect::btnOKClick);
    connect(btnClose, &QPushButton::clicked, this, &TFmProjectSelect::btnCloseClick);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 4, 8, 8);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(cxGridDBBandedTableView3, 1);
    layout->addLayout(buttons);
}

void TFmProjectSelect::btnOKClick() {
    accept();
}

void TFmProjectSelect::btnCloseClick() {
    accept();
}

void TFmProjectSelect::cxGridDBBandedTableView3CellDblClick() {
    accept();
}
