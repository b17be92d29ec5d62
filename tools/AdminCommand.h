#pragma once

#include "ServerLogin.h"

#include <QCommandLineParser>
#include <QStringList>

namespace admin {

// The command line of skmadmin: "skmadmin <group> <action> [options]".
// run() returns the exit code: 0 done, 1 failed, 2 wrong usage.
class AdminCommand {
public:
    explicit AdminCommand(QStringList arguments);
    int run();

private:
    int runCommand();
    int cluster(const QString& action, const QStringList& args);
    int database(const QString& action, const QStringList& args);
    int user(const QString& action, const QStringList& args);
    int conf(const QString& action, const QStringList& args);
    int scramble(bool forward, const QStringList& args);
    int workOrder(const QString& action, const QStringList& args);
    int generate(const QString& action, const QStringList& args);

    // Parses args (program name first); prints help or errors itself. False: stop
    // with exitCode.
    bool parse(QCommandLineParser& p, const QStringList& args, const QString& usage, int* exitCode);
    void addConnectionOptions(QCommandLineParser& p);
    ServerLogin connectionLogin(const QCommandLineParser& p, const QString& database);
    QString clusterDir(const QCommandLineParser& p) const;
    void usage() const;

    QStringList m_args;
};

} // namespace admin
