#include "app/ScreenRegistry.h"
#include "app/ScreenshotRunner.h"
#include "app/TDMMain.h"
#include "app/TFmMain.h"
#include "budget/TDMRAP.h"
#include "masterdata/TDMCompany.h"
#include "materials/TDMPKM.h"
#include "pettycash/TDMPC.h"
#include "platform/ui/ErrorGuard.h"
#include "platform/ui/GuardedApplication.h"
#include "projects/TDMProject.h"
#include "workorders/SpkScreens.h"
#include "workorders/TDMSPK.h"

#include <QScreen>
#include <QTextStream>
#include <QTimer>

namespace {

// Every module adds its screens here.
void registerScreens(ScreenRegistry& registry) {
    workorders::registerScreens(registry);
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool screenshots = ScreenshotRunner::requested(arguments);
    ScreenshotRunner::Options shotOptions;
    if (screenshots) {
        QString error;
        if (!ScreenshotRunner::parse(arguments, shotOptions, error)) {
            QTextStream(stderr) << error << '\n';
            return 2;
        }
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    ui::GuardedApplication app(argc, argv);
    if (screenshots)
        ScreenshotRunner::installConsoleMessages();

    ScreenRegistry registry;
    registerScreens(registry);

    TDMMain dmMain;
    ui::guarded([&] { dmMain.DataModuleCreate(); });
    TDMProject dmProject(&dmMain.ADOConn);
    TDMCompany dmCompany(&dmMain.ADOConn);
    TDMRAP dmRAP(&dmMain.ADOConn);
    TDMSPK dmSPK(&dmMain.ADOConn);
    TDMPC dmPC(&dmMain.ADOConn);
    TDMPKM dmPKM(&dmMain.ADOConn);

    TFmMain fmMain(registry);
    ui::guarded([&] { fmMain.FormCreate(); });

    if (screenshots) {
        if (fmMain.terminateRequested())
            return 1;
        ScreenshotRunner runner(fmMain, registry, shotOptions);
        return runner.run();
    }

    if (fmMain.terminateRequested())
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    // Without a window manager (a bare X server) the maximize request is ignored;
    // start at the screen's size so the status panels are not squeezed.
    if (const QScreen* screen = fmMain.screen())
        fmMain.resize(screen->availableGeometry().size());
    fmMain.showMaximized();
    return app.exec();
}
