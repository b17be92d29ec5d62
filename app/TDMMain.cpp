#include "TDMMain.h"

#include "ConfigReader.h"
#include "SessionContext.h"
#include "TFmLogin.h"
#include "TSecurity.h"
#include "db/DbError.h"
#include "platform/ui/MessageService.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>

TDMMain* TDMMain::s_instance = nullptr;

namespace {

// The user code and module code are cut to 25 characters like the columns they
// are compared with; the scrambled password is compared whole.
const char* const kLoginSql = R"(
WITH prm AS (
    SELECT CAST(:pUserCode AS varchar(25)) AS UserCode,
           CAST(:pPassword AS varchar) AS UserPassword,
           CAST(:pModuleCode AS varchar(25)) AS ModuleCode)
SELECT u.UserCode, u.UserName, u.UserPassword, u.UserID, u.ProjectAccess
FROM prm
JOIN admUser u ON u.UserCode = prm.UserCode AND u.UserPassword = prm.UserPassword
LEFT JOIN admPolicy p ON p.PolicyID = u.PolicyID
LEFT JOIN admPolicyDetail pd ON pd.PolicyID = p.PolicyID
LEFT JOIN admModuleDetail md ON md.mdID = pd.mdID
WHERE u.IsActive AND md.mdCode = prm.ModuleCode
LIMIT 1)";

// Approved projects of the user's scope. The project manager is one name even
// when the team lists two active project managers (the latest period first).
const char* const kProjectSql = R"(
WITH prm AS (SELECT CAST(:UserID AS integer) AS UserID)
SELECT p.ProjectID, p.ProjectOwnerID, oc.CompanyName AS ProjectCompanyName,
       p.ProjectTypeID, pt.ProjectTypeName, p.BuildingTypeID, bt.BuildingTypeName,
       p.ContractTypeID, ct.ContractTypeName,
       CAST(p.ProjectCode || ' - ' || p.ProjectName AS varchar(128)) AS ProjectFullName,
       p.ProjectCode, p.ProjectName, p.ProjectYear,
       (SELECT c.ContactName
        FROM mstProjectTeam tm
        JOIN prefJobTitle j ON j.JobTitleID = tm.JobTitleID
        LEFT JOIN mstEmployee e ON e.EmployeeID = tm.EmployeeID
        LEFT JOIN mstContact c ON c.ContactID = e.ContactID
        WHERE tm.ProjectID = p.ProjectID AND j.JobTitleName = 'Project Manager'
          AND tm.StatusID = 7
        ORDER BY tm.PeriodStart DESC NULLS LAST, tm.EmployeeID
        LIMIT 1) AS ProjectManager,
       p.BeginDate, p.EndDate, p.Duration, p.DefectPeriod, p.Address1, p.Address2,
       p.Telp, p.Fax, p.Email, p.City, p.Province, p.Country, p.zipCode,
       p.LandArea, p.BuildingArea, p.BasementFloor, p.UpGroundFloor, p.StatusID,
       p.IsValidateRAP, s.StatusName
FROM prm
CROSS JOIN mstProject p
LEFT JOIN mstCompany oc ON oc.CompanyID = p.ProjectOwnerID
LEFT JOIN prefProjectType pt ON pt.ProjectTypeID = p.ProjectTypeID
LEFT JOIN prefBuildingType bt ON bt.BuildingTypeID = p.BuildingTypeID
LEFT JOIN prefContractType ct ON ct.ContractTypeID = p.ContractTypeID
LEFT JOIN prefStatus s ON s.StatusID = p.StatusID
WHERE p.StatusID = 2
  AND (EXISTS (SELECT 1 FROM admUser u
               WHERE u.UserID = prm.UserID AND u.ProjectAccess = 'FULL')
       OR EXISTS (SELECT 1 FROM admUserProject up
                  WHERE up.UserID = prm.UserID AND up.ProjectID = p.ProjectID))
ORDER BY p.ProjectCode)";

} // namespace

TDMMain::TDMMain(QObject* parent)
    : QObject(parent), ADOConn(this), adodsVersion(this), adodsLogin(this), adodsProject(this),
      adospCP(&ADOConn, QStringLiteral("procChangePassword"), this) {
    s_instance = this;
    setObjectName(QStringLiteral("DMMain"));
    ADOConn.setObjectName(QStringLiteral("ADOConn"));

    adodsVersion.setObjectName(QStringLiteral("adodsVersion"));
    adodsVersion.setConnection(&ADOConn);
    adodsVersion.setSql(QStringLiteral("SELECT * FROM admVersion"));

    adodsLogin.setObjectName(QStringLiteral("adodsLogin"));
    adodsLogin.setConnection(&ADOConn);
    adodsLogin.setSql(QString::fromLatin1(kLoginSql));
    adodsLogin.setParam(QStringLiteral("pUserCode"), QString());
    adodsLogin.setParam(QStringLiteral("pPassword"), QString());
    adodsLogin.setParam(QStringLiteral("pModuleCode"), QString());

    adodsProject.setObjectName(QStringLiteral("adodsProject"));
    adodsProject.setConnection(&ADOConn);
    adodsProject.setSql(QString::fromLatin1(kProjectSql));
    adodsProject.setParam(QStringLiteral("UserID"), 0);
    connect(&adodsProject, &db::Dataset::currentRowChanged, this, &TDMMain::currentProjectChanged);
    connect(&adodsProject, &db::Dataset::rowsReset, this, &TDMMain::currentProjectChanged);

    using db::FieldType;
    using db::ParamDirection;
    adospCP.setObjectName(QStringLiteral("adospCP"));
    adospCP.declare(QStringLiteral("EntryFrom"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("EntryBy"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("UserCode"), FieldType::Text, ParamDirection::Input, 100)
        .declare(QStringLiteral("UserPassword"), FieldType::Text, ParamDirection::Input, 200)
        .declare(QStringLiteral("UserpasswordNew"), FieldType::Text, ParamDirection::Input, 200)
        .declare(QStringLiteral("Hasil"), FieldType::Text, ParamDirection::Output, 255);
}

TDMMain::~TDMMain() {
    DataModuleDestroy();
    if (s_instance == this)
        s_instance = nullptr;
}

QString TDMMain::defaultConfigPath() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QString::fromLatin1(ConfigReader::FileName));
}

bool TDMMain::DataModuleCreate(const QString& configPath, const QString& catalog) {
    if (!ConfigReader::ReadConfiguration(configPath)) {
        ui::MessageService::warning(SessionContext.ConfigMessage);
        return false;
    }
    SessionContext.ServerMode = QString::fromLatin1(ServerModeLabel);
    SessionContext.DatabaseName = catalog;
    SessionContext.DatabaseUser = QString::fromLatin1(DatabaseLogin);
    ADOConn.close();
    db::ConnectionSettings settings;
    settings.server = SessionContext.ServerName;
    settings.user = SessionContext.DatabaseUser;
    settings.password = SessionContext.DatabasePassword;
    settings.database = SessionContext.DatabaseName;
    settings.connectTimeoutSeconds = ConnectionTimeoutSeconds;
    settings.statementTimeoutSeconds = CommandTimeoutSeconds;
    try {
        ADOConn.open(settings);
    } catch (const db::DbError& e) {
        ui::MessageService::error(e.text());
    }
    return ADOConn.isOpen();
}

void TDMMain::DataModuleDestroy() {
    ADOConn.close();
}

bool TDMMain::CheckVersion() {
    adodsVersion.close();
    adodsVersion.open();
    adodsVersion.first();
    if (adodsVersion.asInt(u"VersionMajor") != ClientVersionMajor)
        return false;
    return adodsVersion.asInt(u"VersionMinor") == ClientVersionMinor;
}

bool TDMMain::EnsureLogin() {
    if (SessionContext.LoggedIn == 0) {
        TFmLogin dialog;
        dialog.exec();
    }
    return SessionContext.LoggedIn == 1;
}

QString TDMMain::scramblePassword(const QString& plain) {
    const TSecurity security(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement);
    return security.Scramble(plain, TSecurity::PasswordKey);
}

std::optional<TDMMain::LoginRow>
TDMMain::OpenLogin(const QString& userCode, const QString& password, const QString& moduleCode) {
    adodsLogin.close();
    adodsLogin.setParam(QStringLiteral("pUserCode"), userCode);
    adodsLogin.setParam(QStringLiteral("pPassword"), scramblePassword(password));
    adodsLogin.setParam(QStringLiteral("pModuleCode"), moduleCode);
    adodsLogin.open();
    if (adodsLogin.isEmpty())
        return std::nullopt;
    adodsLogin.first();
    LoginRow row;
    row.userCode = db::Dataset::toString(adodsLogin.value(0, 0));
    row.userName = db::Dataset::toString(adodsLogin.value(0, 1));
    row.userID = adodsLogin.asInt(u"UserID");
    return row;
}

void TDMMain::OpenProjectScope(int userID) {
    adodsProject.close();
    adodsProject.setParam(QStringLiteral("UserID"), userID);
    adodsProject.open();
    adodsProject.first();
}

int TDMMain::currentProjectID() const {
    if (!adodsProject.isOpen() || adodsProject.currentRow() < 0)
        return 0;
    return adodsProject.asInt(u"ProjectID");
}

QString GetWorkstationName() {
    return QSysInfo::machineHostName().left(50).trimmed();
}
