#include "TDMCompany.h"

namespace {

const char* const kCompanyContactListSql = R"SQL(
SELECT c2.CompanyID, c2.CompanyName, c2.CompanyTypeID, c2t.CompanyTypeName,
       c2.CoreBusinessID, c2b.CoreBusinessName, c2.CompanyNPWP, c2.CompanyDesc,
       c2.CompanyFixedPhone, c2.CompanyFax, c2.CompanyWebsite, c2.CompanyEmail,
       c2.CompanyAddress1, c2.Companyaddress2, c2.CompanyCity, c2.CompanyProvince,
       c2.CompanyCountry, c2.CompanyZipCode, c2.CompanyBankName, c2.CompanyBankAccountNo,
       c2.CompanyBankAccountName, e.EmployeeID, e.ContactID, c.ContactTypeID,
       ct.ContactTypeName, c.ContactCode, c.ContactName, c.ContactPOB, c.ContactDOB,
       c.ReligionID, r.ReligionName, c.GenderID, g.GenderName, c.ContactAddress1,
       c.ContactAddress2, c.ContactCity, c.ContactProvince, c.ContactCountry,
       c.ContactZipCode, c.ContactPhoneBusiness, c.ContactPhoneMobile,
       c.ContactFaxBusiness, c.ContactEmail, e.JobTitleID, j.JobTitleName
FROM mstCompany c2
LEFT OUTER JOIN mstEmployee e ON e.CompanyID = c2.CompanyID
LEFT OUTER JOIN mstContact c ON c.ContactID = e.ContactID
LEFT OUTER JOIN prefContactType ct ON ct.ContactTypeID = c.ContactTypeID
LEFT OUTER JOIN prefCompanyType c2t ON c2t.CompanyTypeID = c2.CompanyTypeID
LEFT OUTER JOIN prefCoreBusiness c2b ON c2b.CoreBusinessID = c2.CoreBusinessID
LEFT OUTER JOIN prefReligion r ON r.ReligionID = c.ReligionID
LEFT OUTER JOIN prefGender g ON g.GenderID = c.GenderID
LEFT OUTER JOIN prefJobTitle j ON j.JobTitleID = e.JobTitleID
ORDER BY c2.CompanyName ASC, j.JobTitleGrade DESC, c.ContactName ASC
)SQL";

const char* const kCompanyContactSql = R"SQL(
WITH prm AS (SELECT CAST(:CompanyID AS integer) AS CompanyID)
SELECT e.CompanyID, e.ContactID, e.JobTitleID
FROM prm
JOIN mstEmployee e ON e.CompanyID = prm.CompanyID
LEFT OUTER JOIN mstContact c ON c.ContactID = e.ContactID
LEFT OUTER JOIN prefContactType ct ON ct.ContactTypeID = c.ContactTypeID
LEFT OUTER JOIN prefReligion r ON r.ReligionID = c.ReligionID
LEFT OUTER JOIN prefGender g ON g.GenderID = c.GenderID
LEFT OUTER JOIN prefJobTitle j ON j.JobTitleID = e.JobTitleID
ORDER BY j.JobTitleGrade DESC, c.ContactName ASC
)SQL";

} // namespace

TDMCompany* TDMCompany::s_instance = nullptr;

TDMCompany::TDMCompany(db::Connection* connection, QObject* parent)
    : QObject(parent),
      adodsCompanyContactList(connection, QString::fromUtf8(kCompanyContactListSql)),
      adodsCompanyContact(connection, QString::fromUtf8(kCompanyContactSql)),
      m_connection(connection) {
    s_instance = this;
    setObjectName(QStringLiteral("DMCompany"));
    adodsCompanyContactList.setObjectName(QStringLiteral("adodsCompanyContactList"));
    adodsCompanyContact.setObjectName(QStringLiteral("adodsCompanyContact"));
    adodsCompanyContact.setParam(QStringLiteral("CompanyID"), 0);
}

TDMCompany::~TDMCompany() {
    if (s_instance == this)
        s_instance = nullptr;
}
