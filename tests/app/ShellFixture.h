#pragma once

#include "support/MessageScript.h"
#include "support/TestDatabase.h"
#include "app/SessionContext.h"
#include "app/TDMMain.h"
#include "app/TSecurity.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace shelltest {

// A fresh database, a main data module connected to it as sa, and helpers that
// write users, policies and projects as the owner.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SessionContext.reset();
        dm = std::make_unique<TDMMain>();
        dm->ADOConn.open(database.saSettings());
        SessionContext.ServerName = database.saSettings().server;
        SessionContext.ServerMode = QStringLiteral("real");
        SessionContext.WorkstationName = QStringLiteral("SITE-PC-01");
    }
    void TearDown() override {
        dm.reset();
        SessionContext.reset();
    }

    static QString scrambled(const QString& password) {
        return TSecurity(3361, 6473).Scramble(password, 7942);
    }

    // A policy granting the given module codes; returns its PolicyID.
    int addPolicy(const QString& name, const QStringList& moduleCodes) {
        const int policyID =
            database
                .scalar(QStringLiteral("INSERT INTO admPolicy (PolicyName) VALUES (:n) "
                                       "RETURNING PolicyID"),
                        {{QStringLiteral("n"), name}})
                .toInt();
        for (const QString& code : moduleCodes) {
            database.exec(QStringLiteral("INSERT INTO admPolicyDetail (PolicyID, mdID) "
                                         "SELECT :p, mdID FROM admModuleDetail WHERE mdCode = :c"),
                          {{QStringLiteral("p"), policyID}, {QStringLiteral("c"), code}});
        }
        return policyID;
    }

    // A user with its own policy over moduleCodes; returns its UserID.
    int addUser(const QString& code, const QString& name, const QString& password,
                const QStringList& moduleCodes, const QString& projectAccess = QString(),
                bool active = true) {
        const int policyID = addPolicy(QStringLiteral("policy-") + code, moduleCodes);
        return database
            .scalar(QStringLiteral("INSERT INTO admUser (UserCode, UserName, UserPassword, "
                                   "PolicyID, ProjectAccess, IsActive) "
                                   "VALUES (:c, :n, :p, :pol, :a, :act) RETURNING UserID"),
                    {{QStringLiteral("c"), code},
                     {QStringLiteral("n"), name},
                     {QStringLiteral("p"), scrambled(password)},
                     {QStringLiteral("pol"), policyID},
                     {QStringLiteral("a"), projectAccess.isEmpty() ? QVariant() : projectAccess},
                     {QStringLiteral("act"), active}})
            .toInt();
    }

    int addProject(const QString& code, const QString& name, int statusID = 2,
                   const QString& city = QString()) {
        return database
            .scalar(QStringLiteral("INSERT INTO mstProject (ProjectCode, ProjectName, StatusID, "
                                   "City, BeginDate) VALUES (:c, :n, :s, :city, "
                                   "TIMESTAMP '2012-03-01') RETURNING ProjectID"),
                    {{QStringLiteral("c"), code},
                     {QStringLiteral("n"), name},
                     {QStringLiteral("s"), statusID},
                     {QStringLiteral("city"), city}})
            .toInt();
    }

    void linkProject(int userID, int projectID) {
        database.exec(QStringLiteral("INSERT INTO admUserProject (UserID, ProjectID) "
                                     "VALUES (:u, :p)"),
                      {{QStringLiteral("u"), userID}, {QStringLiteral("p"), projectID}});
    }

    skmtest::TestDatabase database;
    std::unique_ptr<TDMMain> dm;
};

} // namespace shelltest
