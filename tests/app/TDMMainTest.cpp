#include "ShellFixture.h"

#include "db/DbError.h"

#include <QFile>
#include <QTemporaryDir>
#include <vector>

using shelltest::ShellFixture;
using skmtest::MessageScript;
using skmtest::MsgKind;

namespace {

struct VersionCase {
    const char* name;
    std::vector<std::pair<int, int>> rows; // in insertion order
    bool expected;
};

class CheckVersionTest : public ShellFixture, public ::testing::WithParamInterface<VersionCase> {};

} // namespace

TEST_P(CheckVersionTest, FirstRowDecides) {
    const VersionCase& c = GetParam();
    database.exec(QStringLiteral("DELETE FROM admVersion"));
    for (const auto& [major, minor] : c.rows) {
        database.exec(QStringLiteral("INSERT INTO admVersion (VersionMajor, VersionMinor) "
                                     "VALUES (:a, :b)"),
                      {{QStringLiteral("a"), major}, {QStringLiteral("b"), minor}});
    }
    EXPECT_EQ(dm->CheckVersion(), c.expected);
    // Running it again re-reads the table.
    EXPECT_EQ(dm->CheckVersion(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, CheckVersionTest,
                         ::testing::Values(VersionCase{"Match", {{1, 15}}, true},
                                           VersionCase{"OtherMinor", {{1, 14}}, false},
                                           VersionCase{"OtherMajor", {{2, 15}}, false},
                                           VersionCase{"EmptyTable", {}, false},
                                           VersionCase{"FirstRowMatches", {{1, 15}, {1, 16}}, true},
                                           VersionCase{
                                               "FirstRowDiffers", {{1, 16}, {1, 15}}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellFixture, CheckVersionOnAClosedConnectionThrows) {
    dm->ADOConn.close();
    EXPECT_THROW(dm->CheckVersion(), db::DbError);
}

namespace {

class DataModuleCreateTest : public ::testing::Test {
protected:
    void SetUp() override { SessionContext.reset(); }
    void TearDown() override { SessionContext.reset(); }
    QString writeConf(const QString& body) {
        const QString path = dir.filePath(QStringLiteral("db.conf"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(body.toLatin1());
        return path;
    }
    QString conf(const QString& server, const QString& password) {
        const TSecurity s(3361, 6473);
        return writeConf(QStringLiteral("[Configuration]\n01=%1\n02=%2\n03=%3\n04=%4\n05=1\n")
                             .arg(server, s.Scramble(QStringLiteral("siteuser"), 5816),
                                  s.Scramble(password, 3025),
                                  s.Scramble(QStringLiteral("x"), 6248)));
    }
    QTemporaryDir dir;
};

const QString kMissing = QStringLiteral(
    "File configuration doesn't exist.,\r\r\nPlease contact your system administrator.");
const QString kCorrupt =
    QStringLiteral("File configuration is corrupt,\r\r\nPlease contact your system administrator.");

} // namespace

TEST_F(DataModuleCreateTest, BrokenConfigurationWarnsAndLeavesTheConnectionClosed) {
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("missing"), kMissing},
        {QStringLiteral("[Configuration]\n01=server\n02=\n"), kCorrupt},
        {QStringLiteral("\x01\x02garbage [[[ = = \n\xff\xfe"), kCorrupt},
        {QStringLiteral("[Configuration]\n01=srv\n02=A\n03=B\n04=C\n05=1\n"), kCorrupt},
    };
    for (const auto& [body, message] : cases) {
        SCOPED_TRACE(body.toStdString());
        SessionContext.reset();
        const QString path = body == QLatin1String("missing")
                                 ? dir.filePath(QStringLiteral("none.conf"))
                                 : writeConf(body);
        TDMMain dm;
        MessageScript ms;
        ms.expect(MsgKind::Warning, message);
        EXPECT_FALSE(dm.DataModuleCreate(path));
        EXPECT_FALSE(dm.ADOConn.isOpen());
        // The first database access fails with the data layer's error.
        EXPECT_THROW(dm.CheckVersion(), db::DbError);
    }
}

TEST_F(DataModuleCreateTest, UnreachableServerShowsTheErrorBox) {
    const QString path = conf(QStringLiteral("127.0.0.1,1"), QStringLiteral("pw"));
    TDMMain dm;
    MessageScript ms;
    ms.expectAny(MsgKind::Error);
    EXPECT_FALSE(dm.DataModuleCreate(path));
    EXPECT_FALSE(dm.ADOConn.isOpen());
    EXPECT_EQ(SessionContext.ServerName, QStringLiteral("127.0.0.1,1"));
    EXPECT_EQ(SessionContext.DatabaseUser, QStringLiteral("sa"));
    EXPECT_EQ(SessionContext.ServerMode, QStringLiteral("real"));
    EXPECT_EQ(SessionContext.DatabaseName, QStringLiteral("SKMRPusat"));
    ASSERT_EQ(ms.seen().size(), 1);
    EXPECT_FALSE(ms.seen().front().text.isEmpty());
}

TEST_F(DataModuleCreateTest, ConnectsAsSaWhateverUserTheFileNames) {
    skmtest::TestDatabase database;
    const db::ConnectionSettings sa = database.saSettings();
    const QString path = conf(sa.server, sa.password);
    TDMMain dm;
    ASSERT_TRUE(dm.DataModuleCreate(path, database.name()));
    EXPECT_TRUE(dm.ADOConn.isOpen());
    EXPECT_EQ(dm.ADOConn.settings().user, QStringLiteral("sa"));
    EXPECT_TRUE(dm.CheckVersion());
}

TEST_F(DataModuleCreateTest, WrongPasswordShowsTheErrorBox) {
    skmtest::TestDatabase database;
    const QString path = conf(database.saSettings().server, QStringLiteral("not-the-password"));
    TDMMain dm;
    MessageScript ms;
    ms.expectAny(MsgKind::Error);
    EXPECT_FALSE(dm.DataModuleCreate(path, database.name()));
    EXPECT_FALSE(dm.ADOConn.isOpen());
}

TEST(WorkstationNameTest, AtMostFiftyCharactersTrimmed) {
    const QString name = GetWorkstationName();
    EXPECT_LE(name.size(), 50);
    EXPECT_EQ(name, name.trimmed());
}

// The scope: approved projects only, all of them for FULL access, else the linked ones.
TEST_F(ShellFixture, ProjectScopeFollowsAccessAndStatus) {
    const int full = addUser(QStringLiteral("boss"), QStringLiteral("Boss"), QStringLiteral("pw"),
                             {QStringLiteral("SYS-001")}, QStringLiteral("FULL"));
    const int site = addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
                             {QStringLiteral("SYS-001")});
    const int a = addProject(QStringLiteral("P-B"), QStringLiteral("Beta"));
    const int b = addProject(QStringLiteral("P-A"), QStringLiteral("Alpha"));
    const int draft = addProject(QStringLiteral("P-C"), QStringLiteral("Draft"), 1);
    addProject(QStringLiteral("P-D"), QStringLiteral("Delta"));
    linkProject(site, a);
    linkProject(site, draft);
    linkProject(full, b);

    auto codes = [this] {
        QStringList out;
        for (int r = 0; r < dm->adodsProject.rowCount(); ++r)
            out << dm->adodsProject.value(r, u"ProjectCode").toString();
        return out;
    };
    dm->OpenProjectScope(full);
    EXPECT_EQ(codes(), (QStringList{"P-A", "P-B", "P-D"}));
    dm->OpenProjectScope(site);
    EXPECT_EQ(codes(), QStringList{"P-B"});
    EXPECT_EQ(dm->currentProjectID(), a);
    EXPECT_EQ(dm->adodsProject.asString(u"ProjectFullName"), QStringLiteral("P-B - Beta"));
}

TEST_F(ShellFixture, TwoActiveProjectManagersStillGiveOneName) {
    const int user = addUser(QStringLiteral("site"), QStringLiteral("Site"), QStringLiteral("pw"),
                             {QStringLiteral("SYS-001")});
    const int project = addProject(QStringLiteral("P-1"), QStringLiteral("One"));
    linkProject(user, project);
    for (const QString& name : {QStringLiteral("Budi"), QStringLiteral("Andi")}) {
        const int contact =
            database
                .scalar(QStringLiteral("INSERT INTO mstContact (ContactName) VALUES (:n) "
                                       "RETURNING ContactID"),
                        {{QStringLiteral("n"), name}})
                .toInt();
        const int employee =
            database
                .scalar(QStringLiteral("INSERT INTO mstEmployee (CompanyID, ContactID) "
                                       "VALUES (1, :c) RETURNING EmployeeID"),
                        {{QStringLiteral("c"), contact}})
                .toInt();
        database.exec(QStringLiteral("INSERT INTO mstProjectTeam (ProjectID, EmployeeID, "
                                     "JobTitleID, StatusID) VALUES (:p, :e, 3, 7)"),
                      {{QStringLiteral("p"), project}, {QStringLiteral("e"), employee}});
    }
    dm->OpenProjectScope(user);
    ASSERT_EQ(dm->adodsProject.rowCount(), 1);
    const QString manager = dm->adodsProject.asString(u"ProjectManager");
    EXPECT_TRUE(manager == QLatin1String("Budi") || manager == QLatin1String("Andi"))
        << manager.toStdString();
}

TEST_F(ShellFixture, ProjectScopeChangesAreSignalled) {
    const int user = addUser(QStringLiteral("boss"), QStringLiteral("Boss"), QStringLiteral("pw"),
                             {QStringLiteral("SYS-001")}, QStringLiteral("FULL"));
    addProject(QStringLiteral("P-1"), QStringLiteral("One"));
    const int second = addProject(QStringLiteral("P-2"), QStringLiteral("Two"));
    int changes = 0;
    QObject::connect(dm.get(), &TDMMain::currentProjectChanged, [&] { ++changes; });
    dm->OpenProjectScope(user);
    EXPECT_GE(changes, 1);
    const int afterOpen = changes;
    dm->adodsProject.setCurrentRow(1);
    EXPECT_EQ(changes, afterOpen + 1);
    EXPECT_EQ(dm->currentProjectID(), second);
}
