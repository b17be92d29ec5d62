#include "AdminCommand.h"

#include "AdminError.h"
#include "DatabaseInstaller.h"
#include "DbConfWriter.h"
#include "PgCluster.h"
#include "ScaleGenerator.h"
#include "SqlSession.h"
#include "UserAdmin.h"
#include "WorkOrderStatus.h"
#include "app/TSecurity.h"
#include "db/ConnectionSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>
#include <exception>

namespace admin {

namespace {
QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}
QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

const QCommandLineOption kServer(QStringLiteral("server"),
                                 QStringLiteral("Database server as host,port (default "
                                                "127.0.0.1 and the port of the private cluster, "
                                                "else 5544)."),
                                 QStringLiteral("host,port"));
const QCommandLineOption kDir(QStringLiteral("dir"),
                              QStringLiteral("Folder of the private cluster."),
                              QStringLiteral("folder"));
const QCommandLineOption kSuperuser(QStringLiteral("superuser"),
                                    QStringLiteral("Superuser name (default postgres)."),
                                    QStringLiteral("name"), QStringLiteral("postgres"));
const QCommandLineOption kSuperPassword(
    QStringLiteral("superpassword"),
    QStringLiteral("Superuser password (default: $SKM_SUPERPASSWORD, else read from the "
                   "cluster folder)."),
    QStringLiteral("password"));
const QCommandLineOption kDatabase(QStringLiteral("database"),
                                   QStringLiteral("Database name (default SKMRPusat)."),
                                   QStringLiteral("name"), QStringLiteral("SKMRPusat"));

QString randomPassword() {
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    QString s;
    for (int i = 0; i < 20; ++i)
        s += QLatin1Char(alphabet[QRandomGenerator::system()->bounded(int(sizeof alphabet) - 1)]);
    return s;
}

QStringList splitList(const QString& v) {
    QStringList r;
    for (const QString& s : v.split(u',', Qt::SkipEmptyParts))
        if (!s.trimmed().isEmpty())
            r.append(s.trimmed());
    return r;
}
} // namespace

AdminCommand::AdminCommand(QStringList arguments) : m_args(std::move(arguments)) {}

void AdminCommand::usage() const {
    out()
        << "Usage: skmadmin <command> [options]   (skmadmin <command> --help for details)\n"
           "  cluster init|start|stop|status [--dir D] [--port 5544]\n"
           "  db install|upgrade|demo [--server host,port] [--superuser U] [--superpassword X]\n"
           "                          [--dir D] [--sa-password X] [--database SKMRPusat] [--demo]\n"
           "  user add --code C --name N --password P [--full | --projects A,B] [--modules M1,M2]\n"
           "  conf write --out PATH --server host,port --password X\n"
           "  scramble --key K TEXT | unscramble --key K TEXT\n"
           "  spk approve|terminate|cancel CODE [connection options]\n"
           "  generate large [--project-code C] [--items N] [--work-orders N] [--lines N]\n"
           "                 [--seed N] [connection options]\n";
    out().flush();
}

int AdminCommand::run() {
    const int code = runCommand();
    out().flush();
    err().flush();
    return code;
}

int AdminCommand::runCommand() {
    try {
        if (m_args.size() < 2 || m_args[1] == QLatin1String("--help") ||
            m_args[1] == QLatin1String("-h") || m_args[1] == QLatin1String("help")) {
            usage();
            return m_args.size() < 2 ? 2 : 0;
        }
        const QString group = m_args[1];
        if (group == QLatin1String("scramble") || group == QLatin1String("unscramble"))
            return scramble(group == QLatin1String("scramble"),
                            QStringList{m_args[0]} + m_args.mid(2));
        const QString action = m_args.size() > 2 ? m_args[2] : QString();
        const QStringList rest = QStringList{m_args[0]} + m_args.mid(3);
        if (group == QLatin1String("cluster"))
            return cluster(action, rest);
        if (group == QLatin1String("db"))
            return database(action, rest);
        if (group == QLatin1String("user"))
            return user(action, rest);
        if (group == QLatin1String("conf"))
            return conf(action, rest);
        if (group == QLatin1String("spk"))
            return workOrder(action, rest);
        if (group == QLatin1String("generate"))
            return generate(action, rest);
        err() << "skmadmin: unknown command \"" << group << "\".\n";
        err().flush();
        usage();
        return 2;
    } catch (const AdminError& e) {
        err() << "skmadmin: " << e.text() << "\n";
    } catch (const std::exception& e) {
        err() << "skmadmin: " << QString::fromLocal8Bit(e.what()) << "\n";
    }
    err().flush();
    return 1;
}

bool AdminCommand::parse(QCommandLineParser& p, const QStringList& args, const QString& usage,
                         int* exitCode) {
    p.setApplicationDescription(usage);
    p.addHelpOption();
    if (!p.parse(args)) {
        err() << "skmadmin: " << p.errorText() << "\n";
        err().flush();
        *exitCode = 2;
        return false;
    }
    if (p.isSet(QStringLiteral("help"))) {
        out() << p.helpText();
        out().flush();
        *exitCode = 0;
        return false;
    }
    return true;
}

QString AdminCommand::clusterDir(const QCommandLineParser& p) const {
    return p.isSet(kDir) ? p.value(kDir) : PgCluster::defaultDir();
}

void AdminCommand::addConnectionOptions(QCommandLineParser& p) {
    p.addOptions({kServer, kDir, kSuperuser, kSuperPassword, kDatabase});
}

ServerLogin AdminCommand::connectionLogin(const QCommandLineParser& p, const QString& database) {
    ServerLogin login;
    login.user = p.value(kSuperuser);
    login.database = database;
    const PgCluster cluster(clusterDir(p));
    if (p.isSet(kServer)) {
        db::ConnectionSettings cs;
        cs.server = p.value(kServer);
        login.host = cs.host();
        login.port = cs.server.contains(u',') ? cs.port() : 5432;
        if (login.host.isEmpty())
            throw AdminError(QStringLiteral("--server needs a host name."));
    } else {
        login.host = QStringLiteral("127.0.0.1");
        const int running = cluster.isCluster() ? cluster.runningPort() : 0;
        login.port = running > 0 ? running : 5544;
    }
    if (p.isSet(kSuperPassword))
        login.password = p.value(kSuperPassword);
    else if (qEnvironmentVariableIsSet("SKM_SUPERPASSWORD"))
        login.password = qEnvironmentVariable("SKM_SUPERPASSWORD");
    else if (cluster.isCluster())
        login.password = cluster.readSuperPassword();
    else
        throw AdminError(QStringLiteral("No superuser password: give --superpassword, set "
                                        "SKM_SUPERPASSWORD or --dir of the private cluster."));
    return login;
}

int AdminCommand::cluster(const QString& action, const QStringList& args) {
    QCommandLineParser p;
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("TCP port (default 5544)."),
                                  QStringLiteral("port"), QStringLiteral("5544"));
    const QCommandLineOption noFsync(QStringLiteral("no-fsync"),
                                     QStringLiteral("Throw-away cluster: no fsync (tests only)."));
    p.addOptions({kDir, port, kSuperPassword, noFsync});
    int code = 0;
    if (!parse(p, args, QStringLiteral("skmadmin cluster init|start|stop|status"), &code))
        return code;
    PgCluster c(clusterDir(p));
    if (action == QLatin1String("init")) {
        if (c.isCluster()) {
            out() << c.dir() << " already holds a cluster; nothing done.\n";
            return 0;
        }
        const QString pw = p.isSet(kSuperPassword) ? p.value(kSuperPassword) : randomPassword();
        c.init(pw, !p.isSet(noFsync));
        out() << "Cluster initialised in " << c.dir() << " (superuser postgres, password in "
              << c.passwordFile() << ").\n";
        return 0;
    }
    if (action == QLatin1String("start")) {
        bool ok = false;
        const int n = p.value(port).toInt(&ok);
        if (!ok || n <= 0 || n > 65535)
            throw AdminError(QStringLiteral("Invalid port \"%1\".").arg(p.value(port)));
        c.start(n);
        out() << c.statusText() << "\n";
        return 0;
    }
    if (action == QLatin1String("stop")) {
        c.stop();
        out() << c.statusText() << "\n";
        return 0;
    }
    if (action == QLatin1String("status")) {
        out() << c.statusText() << "\n";
        return c.isRunning() ? 0 : 3;
    }
    err() << "skmadmin: cluster needs init, start, stop or status.\n";
    return 2;
}

int AdminCommand::database(const QString& action, const QStringList& args) {
    QCommandLineParser p;
    addConnectionOptions(p);
    const QCommandLineOption saPassword(QStringLiteral("sa-password"),
                                        QStringLiteral("Password of the client role sa (needed "
                                                       "when sa is created; else reset)."),
                                        QStringLiteral("password"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Also load demo data."));
    const QCommandLineOption serverDir(QStringLiteral("server-dir"),
                                       QStringLiteral("Folder of the server files (default: "
                                                      "server/ beside the program)."),
                                       QStringLiteral("folder"));
    p.addOptions({saPassword, demo, serverDir});
    int code = 0;
    if (!parse(p, args, QStringLiteral("skmadmin db install|upgrade|demo"), &code))
        return code;
    const QString dbName = p.value(kDatabase);
    DatabaseInstaller installer(connectionLogin(p, QStringLiteral("postgres")),
                                p.isSet(serverDir) ? p.value(serverDir)
                                                   : DatabaseInstaller::defaultServerDir());
    if (action == QLatin1String("install")) {
        const auto r = installer.install(dbName, p.value(saPassword));
        out() << (r.databaseCreated ? "Created" : "Updated") << " database " << dbName << "; "
              << r.applied.size() << " migration(s) applied"
              << (r.applied.isEmpty() ? QString() : QStringLiteral(": ") + r.applied.join(u' '))
              << "; procedures and grants reloaded.\n";
        if (p.isSet(demo)) {
            const QStringList loaded = installer.loadDemo(dbName);
            out() << "Demo data: " << loaded.size() << " file(s) loaded.\n";
        }
        return 0;
    }
    if (action == QLatin1String("upgrade")) {
        SqlSession probe(connectionLogin(p, dbName)); // a clear error when it does not exist
        const QStringList applied = installer.applyMigrations(dbName);
        installer.reloadProcedures(dbName);
        out() << applied.size() << " migration(s) applied"
              << (applied.isEmpty() ? QString() : QStringLiteral(": ") + applied.join(u' '))
              << "; procedures and grants reloaded.\n";
        return 0;
    }
    if (action == QLatin1String("demo")) {
        const QStringList loaded = installer.loadDemo(dbName);
        out() << "Demo data: " << loaded.size() << " file(s) loaded.\n";
        return 0;
    }
    err() << "skmadmin: db needs install, upgrade or demo.\n";
    return 2;
}

int AdminCommand::user(const QString& action, const QStringList& args) {
    QCommandLineParser p;
    addConnectionOptions(p);
    const QCommandLineOption codeOpt(QStringLiteral("code"), QStringLiteral("User code."),
                                     QStringLiteral("code"));
    const QCommandLineOption nameOpt(QStringLiteral("name"), QStringLiteral("User name."),
                                     QStringLiteral("name"));
    const QCommandLineOption pwOpt(QStringLiteral("password"), QStringLiteral("Password."),
                                   QStringLiteral("password"));
    const QCommandLineOption fullOpt(QStringLiteral("full"),
                                     QStringLiteral("Access to every project (default)."));
    const QCommandLineOption projectsOpt(QStringLiteral("projects"),
                                         QStringLiteral("Project codes, comma separated."),
                                         QStringLiteral("A,B"));
    const QCommandLineOption modulesOpt(QStringLiteral("modules"),
                                        QStringLiteral("Module codes (default: all)."),
                                        QStringLiteral("M1,M2"));
    p.addOptions({codeOpt, nameOpt, pwOpt, fullOpt, projectsOpt, modulesOpt});
    int code = 0;
    if (!parse(p, args, QStringLiteral("skmadmin user add"), &code))
        return code;
    if (action != QLatin1String("add")) {
        err() << "skmadmin: user needs add.\n";
        return 2;
    }
    if (p.isSet(fullOpt) && p.isSet(projectsOpt))
        throw AdminError(QStringLiteral("Give either --full or --projects, not both."));
    for (const auto& o : {codeOpt, nameOpt, pwOpt})
        if (!p.isSet(o))
            throw AdminError(QStringLiteral("--%1 is required.").arg(o.names().first()));
    NewUser u;
    u.code = p.value(codeOpt);
    u.name = p.value(nameOpt);
    u.password = p.value(pwOpt);
    u.fullAccess = !p.isSet(projectsOpt);
    u.projectCodes = splitList(p.value(projectsOpt));
    u.moduleCodes = splitList(p.value(modulesOpt));
    SqlSession s(connectionLogin(p, p.value(kDatabase)));
    s.execFormatted(QStringLiteral("SET ROLE %I"),
                    {{QStringLiteral("r"), QLatin1String(DatabaseInstaller::OwnerRole)}});
    UserAdmin admin(s);
    const int id = admin.addUser(u);
    out() << "User " << u.code << " added (UserID " << id << ").\n";
    if (u.password.size() > 12)
        err() << "skmadmin: note: passwords longer than 12 characters scramble to more than 25 "
                 "characters.\n";
    return 0;
}

int AdminCommand::conf(const QString& action, const QStringList& args) {
    QCommandLineParser p;
    const QCommandLineOption outOpt(QStringLiteral("out"), QStringLiteral("File to write."),
                                    QStringLiteral("path"));
    const QCommandLineOption userOpt(QStringLiteral("user"),
                                     QStringLiteral("Database user (default sa)."),
                                     QStringLiteral("name"), QStringLiteral("sa"));
    const QCommandLineOption pwOpt(QStringLiteral("password"),
                                   QStringLiteral("Password of the database user."),
                                   QStringLiteral("password"));
    const QCommandLineOption e04(QStringLiteral("entry04"), QStringLiteral("Entry 04."),
                                 QStringLiteral("text"), QStringLiteral("SKMRPusat"));
    const QCommandLineOption e05(QStringLiteral("entry05"), QStringLiteral("Entry 05."),
                                 QStringLiteral("text"), QStringLiteral("1"));
    const QCommandLineOption e06(QStringLiteral("entry06"), QStringLiteral("Entry 06."),
                                 QStringLiteral("text"));
    p.addOptions({outOpt, kServer, userOpt, pwOpt, e04, e05, e06});
    int code = 0;
    if (!parse(p, args, QStringLiteral("skmadmin conf write"), &code))
        return code;
    if (action != QLatin1String("write")) {
        err() << "skmadmin: conf needs write.\n";
        return 2;
    }
    for (const auto& o : {outOpt, kServer, pwOpt})
        if (!p.isSet(o))
            throw AdminError(QStringLiteral("--%1 is required.").arg(o.names().first()));
    DbConfWriter::Entries e;
    e.server = p.value(kServer);
    e.user = p.value(userOpt);
    e.password = p.value(pwOpt);
    e.entry04 = p.value(e04);
    e.entry05 = p.value(e05);
    e.entry06 = p.value(e06);
    DbConfWriter::write(p.value(outOpt), e);
    out() << "Wrote " << QFileInfo(p.value(outOpt)).absoluteFilePath() << "\n";
    return 0;
}

int AdminCommand::scramble(bool forward, const QStringList& args) {
    QCommandLineParser p;
    const QCommandLineOption keyOpt(QStringLiteral("key"), QStringLiteral("Start key 0..65535."),
                                    QStringLiteral("K"));
    p.addOption(keyOpt);
    p.addPositionalArgument(QStringLiteral("text"), QStringLiteral("The text."));
    int code = 0;
    if (!parse(p, args, QStringLiteral("skmadmin scramble|unscramble --key K TEXT"), &code))
        return code;
    bool ok = false;
    const uint key = p.value(keyOpt).toUInt(&ok);
    if (!p.isSet(keyOpt) || !ok || key > 65535)
        throw AdminError(QStringLiteral("--key needs a number from 0 to 65535."));
    if (p.positionalArguments().size() != 1)
        throw AdminError(QStringLiteral("Give exactly one text."));
    const QString text = p.positionalArguments().first();
    const TSecurity sec(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement);
    if (forward) {
        for (const QChar c : text)
            if (c.unicode() > 0xFF)
                throw AdminError(QStringLiteral("The text holds characters outside Latin-1."));
        out() << sec.Scramble(text, static_cast<std::uint16_t>(key)) << "\n";
    } else {
        out() << sec.Unscramble(text, static_cast<std::uint16_t>(key)) << "\n";
    }
    return 0;
}

int AdminCommand::workOrder(const QString& action, const QStringList& args) {
    QCommandLineParser p;
    addConnectionOptions(p);
    p.addPositionalArgument(QStringLiteral("code"), QStringLiteral("Work-order code (SPKCode)."));
    int code = 0;
    if (!parse(p, args, QStringLiteral("skmadmin spk approve|terminate|cancel CODE"), &code))
        return code;
    if (p.positionalArguments().size() != 1)
        throw AdminError(QStringLiteral("Give exactly one work-order code."));
    int status = 0;
    if (action == QLatin1String("approve"))
        status = WorkOrderStatus::Approved;
    else if (action == QLatin1String("terminate"))
        status = WorkOrderStatus::Terminated;
    else if (action == QLatin1String("cancel"))
        status = WorkOrderStatus::Cancelled;
    else {
        err() << "skmadmin: spk needs approve, terminate or cancel.\n";
        return 2;
    }
    SqlSession s(connectionLogin(p, p.value(kDatabase)));
    s.execFormatted(QStringLiteral("SET ROLE %I"),
                    {{QStringLiteral("r"), QLatin1String(DatabaseInstaller::OwnerRole)}});
    const db::Hasil h = WorkOrderStatus(s).setStatus(p.positionalArguments().first(), status);
    out() << h.text() << "\n";
    return h.ok() ? 0 : 1;
}

int AdminCommand::generate(const QString& action, const QStringList& args) {
    if (action != QLatin1String("large")) {
        err() << "skmadmin: generate needs \"large\".\n";
        return 2;
    }
    QCommandLineParser p;
    addConnectionOptions(p);
    const QCommandLineOption codeOpt(QStringLiteral("project-code"),
                                     QStringLiteral("Code of the generated project."),
                                     QStringLiteral("code"), QStringLiteral("PRJ-LARGE"));
    const QCommandLineOption itemsOpt(QStringLiteral("items"), QStringLiteral("Budget items."),
                                      QStringLiteral("n"), QStringLiteral("20000"));
    const QCommandLineOption ordersOpt(QStringLiteral("work-orders"),
                                       QStringLiteral("Work orders."), QStringLiteral("n"),
                                       QStringLiteral("5000"));
    const QCommandLineOption linesOpt(QStringLiteral("lines"), QStringLiteral("Work-order lines."),
                                      QStringLiteral("n"), QStringLiteral("100000"));
    const QCommandLineOption seedOpt(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                     QStringLiteral("n"), QStringLiteral("1"));
    p.addOptions({codeOpt, itemsOpt, ordersOpt, linesOpt, seedOpt});
    int code = 0;
    if (!parse(p, args, QStringLiteral("skmadmin generate large"), &code))
        return code;
    auto number = [&](const QCommandLineOption& o) {
        bool ok = false;
        const int v = p.value(o).toInt(&ok);
        if (!ok || v <= 0)
            throw AdminError(
                QStringLiteral("--%1 needs a positive number.").arg(o.names().first()));
        return v;
    };
    ScaleGenerator::Options options;
    options.projectCode = p.value(codeOpt);
    options.budgetItems = number(itemsOpt);
    options.workOrders = number(ordersOpt);
    options.lines = number(linesOpt);
    options.seed = number(seedOpt);

    SqlSession s(connectionLogin(p, p.value(kDatabase)));
    s.execFormatted(QStringLiteral("SET ROLE %I"),
                    {{QStringLiteral("r"), QLatin1String(DatabaseInstaller::OwnerRole)}});
    ScaleGenerator generator(
        [&](const QString& sql, const db::ParamList& params) { return s.scalar(sql, params); });
    s.begin();
    const int projectID = generator.generate(options);
    s.commit();
    s.execScript(QStringLiteral("ANALYZE"), QStringLiteral("analyze"));
    out() << "Generated project " << options.projectCode << " (ProjectID " << projectID << ").\n";
    return 0;
}

} // namespace admin
