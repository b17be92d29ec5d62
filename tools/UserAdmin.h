#pragma once

#include <QString>
#include <QStringList>

namespace admin {

class SqlSession;

struct NewUser {
    QString code;
    QString name;
    QString password;
    bool fullAccess = true;   // ProjectAccess "FULL"; otherwise the listed projects
    QStringList projectCodes; // mstProject.ProjectCode values
    QStringList moduleCodes;  // admModuleDetail.mdCode values; empty = every module
};

// Adds log-in users: the admUser row with the scrambled password, a policy named
// after the user granting the chosen modules, and the project links.
class UserAdmin {
public:
    explicit UserAdmin(SqlSession& session); // connected to the system's database
    bool tablesExist();
    bool userExists(const QString& code);
    // Returns the new UserID; throws AdminError (nothing written) for a bad
    // entry, an existing user code, or an unknown project or module code.
    int addUser(const NewUser& user);

    // What the log-in compares: the password scrambled with start key 7942.
    static QString scramblePassword(const QString& password);

private:
    void validate(const NewUser& user);
    SqlSession& m_s;
};

} // namespace admin
