#include "UserAdmin.h"

#include "AdminError.h"
#include "SqlSession.h"
#include "app/TSecurity.h"

#include <QSqlQuery>
#include <QSysInfo>

namespace admin {

namespace {
bool isLatin1(const QString& s) {
    for (const QChar c : s)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}
QString entryBy() {
    return QStringLiteral("skmadmin");
}
} // namespace

UserAdmin::UserAdmin(SqlSession& session) : m_s(session) {}

QString UserAdmin::scramblePassword(const QString& password) {
    return TSecurity(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement)
        .Scramble(password, TSecurity::PasswordKey);
}

bool UserAdmin::tablesExist() {
    return m_s
        .scalar(QStringLiteral("SELECT to_regclass('admuser') IS NOT NULL AND "
                               "to_regclass('admpolicy') IS NOT NULL AND "
                               "to_regclass('admpolicydetail') IS NOT NULL AND "
                               "to_regclass('admmoduledetail') IS NOT NULL AND "
                               "to_regclass('admuserproject') IS NOT NULL"))
        .toBool();
}

bool UserAdmin::userExists(const QString& code) {
    return m_s.scalar(QStringLiteral("SELECT count(*) FROM admUser WHERE UserCode = :c"),
                      {{QStringLiteral("c"), code}})
               .toInt() > 0;
}

void UserAdmin::validate(const NewUser& u) {
    if (u.code.trimmed().isEmpty())
        throw AdminError(QStringLiteral("The user code must not be empty."));
    if (u.code != u.code.trimmed())
        throw AdminError(QStringLiteral("The user code must not start or end with blanks."));
    if (u.code.size() > 25)
        throw AdminError(QStringLiteral("The user code is longer than 25 characters."));
    if (u.name.trimmed().isEmpty())
        throw AdminError(QStringLiteral("The user name must not be empty."));
    if (u.name.size() > 100)
        throw AdminError(QStringLiteral("The user name is longer than 100 characters."));
    if (u.password.isEmpty())
        throw AdminError(QStringLiteral("The password must not be empty."));
    // The scrambler works on single bytes: other characters could not be typed back.
    if (!isLatin1(u.password))
        throw AdminError(QStringLiteral("The password holds characters outside Latin-1."));
    if (u.password.size() > 50)
        throw AdminError(QStringLiteral("The password is longer than 50 characters."));
    if (!u.fullAccess && u.projectCodes.isEmpty())
        throw AdminError(QStringLiteral("Give FULL project access or at least one project code."));
}

int UserAdmin::addUser(const NewUser& u) {
    validate(u);
    if (!tablesExist())
        throw AdminError(
            QStringLiteral("The user tables do not exist: install the database first."));
    if (userExists(u.code))
        throw AdminError(QStringLiteral("User %1 already exists.").arg(u.code));
    if (m_s.scalar(QStringLiteral("SELECT count(*) FROM admPolicy WHERE PolicyName = :n"),
                   {{QStringLiteral("n"), u.code}})
            .toInt() > 0)
        throw AdminError(
            QStringLiteral("A policy named %1 already exists; it is not reused for a new user.")
                .arg(u.code));

    // Resolve every code before anything is written.
    QList<int> moduleIds;
    if (u.moduleCodes.isEmpty()) {
        QSqlQuery q = m_s.exec(QStringLiteral("SELECT mdID FROM admModuleDetail ORDER BY mdID"));
        while (q.next())
            moduleIds.append(q.value(0).toInt());
    } else {
        for (const QString& code : u.moduleCodes) {
            const QVariant id =
                m_s.scalar(QStringLiteral("SELECT mdID FROM admModuleDetail WHERE mdCode = :c"),
                           {{QStringLiteral("c"), code.trimmed()}});
            if (!id.isValid() || id.isNull())
                throw AdminError(QStringLiteral("Unknown module code %1.").arg(code));
            if (!moduleIds.contains(id.toInt()))
                moduleIds.append(id.toInt());
        }
    }
    QList<int> projectIds;
    if (!u.fullAccess) {
        for (const QString& code : u.projectCodes) {
            const QVariant id = m_s.scalar(
                QStringLiteral("SELECT ProjectID FROM mstProject WHERE ProjectCode = :c"),
                {{QStringLiteral("c"), code.trimmed()}});
            if (!id.isValid() || id.isNull())
                throw AdminError(QStringLiteral("Unknown project code %1.").arg(code));
            if (!projectIds.contains(id.toInt()))
                projectIds.append(id.toInt());
        }
    }

    m_s.begin();
    try {
        const int policyId =
            m_s.scalar(QStringLiteral("INSERT INTO admPolicy (PolicyName, EntryBy, EntryFrom) "
                                      "VALUES (:n, :by, :from) RETURNING PolicyID"),
                       {{QStringLiteral("n"), u.code},
                        {QStringLiteral("by"), entryBy()},
                        {QStringLiteral("from"), QSysInfo::machineHostName().left(100)}})
                .toInt();
        for (const int md : moduleIds)
            m_s.exec(QStringLiteral("INSERT INTO admPolicyDetail (PolicyID, mdID) VALUES (:p, :m)"),
                     {{QStringLiteral("p"), policyId}, {QStringLiteral("m"), md}});
        const int userId =
            m_s.scalar(QStringLiteral("INSERT INTO admUser (UserCode, UserName, UserPassword, "
                                      "PolicyID, ProjectAccess, IsActive) "
                                      "VALUES (:c, :n, :p, :pol, :a, true) RETURNING UserID"),
                       {{QStringLiteral("c"), u.code},
                        {QStringLiteral("n"), u.name.trimmed()},
                        {QStringLiteral("p"), scramblePassword(u.password)},
                        {QStringLiteral("pol"), policyId},
                        {QStringLiteral("a"),
                         u.fullAccess ? QStringLiteral("FULL") : QStringLiteral("PROJECT")}})
                .toInt();
        for (const int project : projectIds)
            m_s.exec(
                QStringLiteral("INSERT INTO admUserProject (UserID, ProjectID) VALUES (:u, :p)"),
                {{QStringLiteral("u"), userId}, {QStringLiteral("p"), project}});
        m_s.commit();
        return userId;
    } catch (...) {
        m_s.rollback();
        throw;
    }
}

} // namespace admin
