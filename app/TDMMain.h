#pragma once

#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/StoredProc.h"

#include <QObject>
#include <optional>

// The main data module: the one database connection, the version check, the
// log-in query and the user's project scope (whose current row is the current
// project of every module).
class TDMMain : public QObject {
    Q_OBJECT
public:
    static constexpr int ClientVersionMajor = 1;
    static constexpr int ClientVersionMinor = 15;
    static constexpr const char* DatabaseLogin = "sa";
    static constexpr const char* DatabaseCatalog = "SKMRPusat";
    static constexpr const char* ServerModeLabel = "real";
    static constexpr int ConnectionTimeoutSeconds = 30;
    static constexpr int CommandTimeoutSeconds = 30;

    explicit TDMMain(QObject* parent = nullptr);
    ~TDMMain() override;
    static TDMMain* instance() { return s_instance; }

    // Reads db.conf and opens the connection to `catalog`. A missing or incomplete
    // file shows its warning; a failing connection shows the driver's error in the
    // standard error box; start-up goes on either way. Returns whether the
    // connection is open.
    bool DataModuleCreate(const QString& configPath = defaultConfigPath(),
                          const QString& catalog = QString::fromLatin1(DatabaseCatalog));
    void DataModuleDestroy();
    // db.conf in the folder of the program file.
    static QString defaultConfigPath();

    // True when the first row of admVersion reads 1 and 15 (an empty table reads
    // 0 and 0). Throws db::DbError.
    bool CheckVersion();

    // Shows the log-in dialog when nobody is logged in; true when logged in afterwards.
    bool EnsureLogin();

    // The row of adodsLogin for a user code, a plain password (scrambled here) and
    // a module code; nothing when the user may not log in. Throws db::DbError.
    struct LoginRow {
        QString userCode;
        QString userName;
        int userID = 0;
    };
    std::optional<LoginRow> OpenLogin(const QString& userCode, const QString& password,
                                      const QString& moduleCode);
    // Re-opens adodsProject for a user. Throws db::DbError (the dataset stays closed).
    void OpenProjectScope(int userID);

    // The password as it is stored: scrambled with the password key.
    static QString scramblePassword(const QString& plain);

    // The current project's ProjectID, 0 without one.
    int currentProjectID() const;

    db::Connection ADOConn;
    db::Dataset adodsVersion;
    db::Dataset adodsLogin;
    db::Dataset adodsProject;
    db::StoredProc adospCP;

signals:
    // The current row of adodsProject moved, or the scope was re-opened or closed.
    void currentProjectChanged();

private:
    static TDMMain* s_instance;
};

// The computer name, at most 50 characters, trimmed of surrounding blanks.
QString GetWorkstationName();
