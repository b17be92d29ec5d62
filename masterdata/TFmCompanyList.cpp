#include "TFmCompanyList.h"

#include "TDMCompany.h"
#include "app/SessionContext.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/HeaderBand.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* toolButton(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

} // namespace

TFmCompanyList::TFmCompanyList(Mode mode, QWidget* parent)
    : QDialog(parent), m_dm(TDMCompany::instance()), m_mode(mode) {
    setObjectName(QStringLiteral("FmCompanyList"));
    setWindowTitle(QStringLiteral("Company and Contact List"));
    if (mode == Mode::Register) {
        setWindowFlags(Qt::Window);
        setAttribute(Qt::WA_DeleteOnClose);
    }

    auto* header = new ui::HeaderBand(this);
    header->setObjectName(QStringLiteral("pHeader"));
    header->setCaption(QStringLiteral("Company and Contact List"));

    TBtnCompanyEntry = toolButton("TBtnCompanyEntry", QStringLiteral("&Entry Company"), this);
    TBtnCompanyUpdate = toolButton("TBtnCompanyUpdate", QStringLiteral("&Update Company"), this);
    TBtnCompanyRefresh = toolButton("TBtnCompanyRefresh", QStringLiteral("Refresh"), this);
    ToolButton3 = toolButton("ToolButton3", QStringLiteral("Select"), this);
    TbtnClose = toolButton("TbtnClose", QStringLiteral("Close"), this);
    // The company dialog is not part of this client yet.
    TBtnCompanyEntry->setEnabled(false);
    TBtnCompanyUpdate->setEnabled(false);
    auto* toolbar = new QHBoxLayout;
    for (QToolButton* b :
         {TBtnCompanyEntry, TBtnCompanyUpdate, TBtnCompanyRefresh, ToolButton3, TbtnClose})
        toolbar->addWidget(b);
    toolbar->addStretch();

    cxGrid1 = new ui::DataGrid(this);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    buildGrid();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(header);
    layout->addLayout(toolbar);
    layout->addWidget(cxGrid1, 1);
    resize(900, 560);

    connect(TBtnCompanyRefresh, &QToolButton::clicked, this,
            &TFmCompanyList::TBtnCompanyRefreshClick);
    connect(ToolButton3, &QToolButton::clicked, this, &TFmCompanyList::ToolButton3Click);
    connect(TbtnClose, &QToolButton::clicked, this, &TFmCompanyList::TbtnCloseClick);
    connect(cxGrid1, &ui::DataGrid::doubleClicked, this, &TFmCompanyList::ToolButton3Click);
    connect(&m_dm->adodsCompanyContactList, &db::Dataset::currentRowChanged, this,
            [this] { publishPick(*m_dm); });

    FormCreate();
}

void TFmCompanyList::buildGrid() {
    struct Col {
        const char* field;
        const char* caption;
        bool visible;
        bool offered;
    };
    struct Band {
        const char* caption;
        bool visible;
        bool offered;
        std::vector<Col> columns;
    };
    const std::vector<Band> bands = {
        {"Perusahaan",
         true,
         true,
         {{"CompanyName", "Nama", true, true},
          {"CompanyTypeName", "Jenis Usaha", true, true},
          {"CompanyCity", "Kota", true, true},
          {"CoreBusinessName", "Core Business", false, true},
          {"CompanyNPWP", "NPWP", false, false},
          {"CompanyFixedPhone", "Phone", false, true},
          {"CompanyFax", "Fax", false, true},
          {"CompanyWebsite", "Website", false, true},
          {"CompanyEmail", "Email", false, true},
          {"CompanyAddress1", "Address #1", false, true},
          {"Companyaddress2", "Address #2", false, true},
          {"CompanyProvince", "Province", false, true},
          {"CompanyCountry", "Country", false, true},
          {"CompanyZipCode", "Zipcode", false, true}}},
        {"Karyawan",
         false,
         true,
         {{"JobTitleName", "Jabatan", true, true}, {"ContactName", "Nama", true, true}}},
        {"Identitas",
         false,
         false,
         {{"ContactTypeName", "Type", true, true},
          {"ContactCode", "No", true, true},
          {"ContactPOB", "Place of Birth", true, true},
          {"ContactDOB", "Date of Birth", true, true},
          {"GenderName", "Gender", true, true},
          {"ReligionName", "Religion", true, true}}},
        {"Alamat",
         false,
         false,
         {{"ContactAddress1", "Line #1", true, true},
          {"ContactAddress2", "Line #2", true, true},
          {"ContactCity", "City", true, true},
          {"ContactProvince", "Province", true, true},
          {"ContactCountry", "Country", true, true},
          {"ContactZipCode", "ZipCode", true, true}}},
        {"Kontak",
         false,
         true,
         {{"ContactPhoneBusiness", "Phone", true, true},
          {"ContactPhoneMobile", "Mobile", true, true},
          {"ContactFaxBusiness", "Fax", true, true},
          {"ContactEmail", "Email", true, true}}},
        {"Data Bank",
         true,
         true,
         {{"CompanyBankName", "Nama Bank", true, true},
          {"CompanyBankAccountNo", "No. Rekening", true, true},
          {"CompanyBankAccountName", "Nama Nasabah", true, true}}},
    };
    for (const Band& b : bands) {
        const int band = cxGrid1->addBand(QString::fromLatin1(b.caption), b.visible, b.offered);
        for (const Col& c : b.columns) {
            ui::GridColumn col(QString::fromLatin1(c.field), QString::fromLatin1(c.caption), 140);
            col.band = band;
            col.visible = c.visible;
            col.offered = c.offered;
            if (col.fieldName == QLatin1String("CompanyName")) {
                col.upperCase = true;
                col.width = 220;
            }
            if (col.fieldName == QLatin1String("ContactDOB")) {
                col.dateOnly = true;
                col.format = ui::DisplayFormat::dateOnly();
            }
            cxGrid1->addColumn(col);
        }
    }
    cxGrid1->setFilterRowVisible(true);
    cxGrid1->setFilterDelay(0);
}

void TFmCompanyList::FormCreate() {
    // Opened before the grid binds to it, so every column finds its field.
    m_dm->adodsCompanyContactList.reopen();
    cxGrid1->setDataset(&m_dm->adodsCompanyContactList);
    cxGrid1->setGroupColumns({QStringLiteral("CompanyName")});
    publishPick(*m_dm);
}

void TFmCompanyList::publishPick(TDMCompany& dm) {
    const db::Dataset& ds = dm.adodsCompanyContactList;
    TPickedCompany& p = SessionContext.PickedCompany;
    p.CompanyID = ds.asInt(u"CompanyID");
    p.CompanyTypeID = ds.asInt(u"CompanyTypeID");
    p.CoreBusinessID = ds.asInt(u"CoreBusinessID");
    p.CompanyName = ds.asString(u"CompanyName");
    p.CompanyTypeName = ds.asString(u"CompanyTypeName");
    p.CoreBusinessName = ds.asString(u"CoreBusinessName");
    p.CompanyNPWP = ds.asString(u"CompanyNPWP");
    p.CompanyDesc = ds.asString(u"CompanyDesc");
    p.CompanyFixedPhone = ds.asString(u"CompanyFixedPhone");
    p.CompanyFax = ds.asString(u"CompanyFax");
    p.CompanyWebsite = ds.asString(u"CompanyWebsite");
    p.CompanyEmail = ds.asString(u"CompanyEmail");
    p.CompanyAddress1 = ds.asString(u"CompanyAddress1");
    p.CompanyAddress2 = ds.asString(u"Companyaddress2");
    p.CompanyCity = ds.asString(u"CompanyCity");
    p.CompanyProvince = ds.asString(u"CompanyProvince");
    p.CompanyCountry = ds.asString(u"CompanyCountry");
    p.CompanyZipcode = ds.asString(u"CompanyZipCode");
    p.CompanyBankName = ds.asString(u"CompanyBankName");
    p.CompanyBankAccountNo = ds.asString(u"CompanyBankAccountNo");
    p.CompanyBankAccountName = ds.asString(u"CompanyBankAccountName");
    p.ContactName = ds.asString(u"ContactName");
    p.ContactPhoneMobile = ds.asString(u"ContactPhoneMobile");
}

void TFmCompanyList::TBtnCompanyRefreshClick() {
    if (m_dm->adodsCompanyContactList.isOpen())
        m_dm->adodsCompanyContactList.reopen();
}

void TFmCompanyList::ToolButton3Click() {
    SessionContext.PickConfirmed = 1;
    close();
}

void TFmCompanyList::TbtnCloseClick() {
    SessionContext.PickConfirmed = 0;
    close();
}
