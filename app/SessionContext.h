#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

// The company of the row last focused in the company list (the picker's result).
struct TPickedCompany {
    int CompanyID = 0;
    int CompanyTypeID = 0;
    int CoreBusinessID = 0;
    QString CompanyName;
    QString CompanyTypeName;
    QString CoreBusinessName;
    QString CompanyNPWP;
    QString CompanyDesc;
    QString CompanyFixedPhone;
    QString CompanyFax;
    QString CompanyWebsite;
    QString CompanyEmail;
    QString CompanyAddress1;
    QString CompanyAddress2;
    QString CompanyCity;
    QString CompanyProvince;
    QString CompanyCountry;
    QString CompanyZipcode;
    QString CompanyBankName;
    QString CompanyBankAccountNo;
    QString CompanyBankAccountName;
    QString ContactName;
    QString ContactPhoneMobile;
};

// Process-wide session state: plain fields, written by start-up, log-in, the main
// menu and the screens that hand values to their dialogs. Texts start empty,
// flags and integers at 0.
struct TSessionContext {
    // start-up and connection
    QString ServerName;
    QString DatabaseUser;
    QString DatabasePassword;
    QString DatabaseName;
    QString ServerMode;
    QString ConfigEntry04;
    QString ConfigEntry05;
    QString ConfigEntry06;
    QString ConfigMessage;
    QString WorkstationName;

    // log-in and module context
    std::uint8_t LoggedIn = 0;
    QString UserCode;
    QString UserName;
    QString LoginModuleCode;
    QString ModuleCode;
    QString DepartmentPrefix;
    QString DepartmentCode;
    int ViewProjectID = 0;
    QDateTime ViewProjectBeginDate;
    QDateTime ViewProjectEndDate;

    // screen templates
    QString ModuleCaption;
    QString DialogCaption;
    std::uint8_t ShowSaveMessage = 0;
    std::uint8_t CloseAfterSave = 0;

    // values handed between screens
    TPickedCompany PickedCompany;
    std::uint8_t PickConfirmed = 0;
    QString CompanyEntryMode;
    int SelectedCompanyID = 0;
    QString EntryMode;
    int EmployeeID = 0;
    QString SPKEntryMode;

    void reset() { *this = TSessionContext(); }
};

extern TSessionContext SessionContext;
