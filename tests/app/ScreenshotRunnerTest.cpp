#include "ShellFixture.h"

#include "app/ScreenRegistry.h"
#include "app/ScreenshotRunner.h"
#include "app/TFmMain.h"
#include "app/TFmTemplateDialog.h"
#include "app/TFmTemplateModule.h"
#include "db/DbError.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

using shelltest::ShellFixture;

TEST(ScreenshotArgumentsTest, Parsing) {
    const QString prog = QStringLiteral("kalveo");
    ScreenshotRunner::Options o;
    QString error;
    EXPECT_FALSE(ScreenshotRunner::requested({prog}));
    const QStringList good = {prog,   "--screenshots", "/tmp/shots", "--user",
                              "demo", "--password",    "demo"};
    EXPECT_TRUE(ScreenshotRunner::requested(good));
    ASSERT_TRUE(ScreenshotRunner::parse(good, o, error)) << error.toStdString();
    EXPECT_EQ(o.folder, QStringLiteral("/tmp/shots"));
    EXPECT_EQ(o.user, QStringLiteral("demo"));
    EXPECT_EQ(o.password, QStringLiteral("demo"));
    for (const QStringList& bad :
         {QStringList{prog, "--screenshots"}, QStringList{prog, "--screenshots", "/tmp/x"},
          QStringList{prog, "--screenshots", "/tmp/x", "--bogus", "1"}}) {
        ScreenshotRunner::Options other;
        error.clear();
        EXPECT_FALSE(ScreenshotRunner::parse(bad, other, error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST_F(ShellFixture, ScreenshotsOfEveryRegisteredScreen) {
    addUser(QStringLiteral("demo"), QStringLiteral("Demo"), QStringLiteral("demo"),
            {QStringLiteral("SYS-001")}, QStringLiteral("FULL"));
    addProject(QStringLiteral("P-01"), QStringLiteral("Gedung A"));
    ScreenRegistry registry;
    registry.addScreen(QStringLiteral("TFmProjectSPKMandorView"),
                       [] { return new TFmTemplateModule(QStringLiteral("SPK Mandor")); });
    registry.addScreenshot(QStringLiteral("TFmSomeEntry"),
                           [] { return new TFmTemplateDialog(QStringLiteral("Some - Entry")); });
    registry.addScreenshot(QStringLiteral("TFmBroken"),
                           []() -> QWidget* { throw db::DbError(QStringLiteral("broken")); });
    TFmMain main(registry);
    main.FormCreate();
    QTemporaryDir dir;
    ScreenshotRunner runner(
        main, registry,
        {dir.filePath(QStringLiteral("shots")), QStringLiteral("demo"), QStringLiteral("demo")});
    EXPECT_EQ(runner.run(), 1); // the broken one failed
    EXPECT_EQ(runner.failures(), QStringList{QStringLiteral("TFmBroken")});
    QStringList names;
    for (const QString& path : runner.written()) {
        names << QFileInfo(path).completeBaseName();
        QImage image(path);
        EXPECT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_GT(image.width(), 100);
    }
    for (const char* expected : {"TFmMain-loggedout", "TFmLogin", "TFmMain", "TFmProjectSelect",
                                 "TFmPasswordChange", "TFmProjectSPKMandorView", "TFmSomeEntry"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_EQ(SessionContext.LoggedIn, 1);
}

TEST_F(ShellFixture, ScreenshotsStopWhenTheLogInFails) {
    ScreenRegistry registry;
    TFmMain main(registry);
    main.FormCreate();
    QTemporaryDir dir;
    ScreenshotRunner runner(main, registry,
                            {dir.path(), QStringLiteral("nobody"), QStringLiteral("x")});
    EXPECT_EQ(runner.run(), 3);
    EXPECT_EQ(SessionContext.LoggedIn, 0);
}
