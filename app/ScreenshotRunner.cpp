#include "ScreenshotRunner.h"

#include "ScreenRegistry.h"
#include "SessionContext.h"
#include "TDMMain.h"
#include "TFmLogin.h"
#include "TFmMain.h"
#include "TFmPasswordChange.h"
#include "TFmProjectSelect.h"
#include "platform/ui/ErrorGuard.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPointer>
#include <QTextStream>
#include <memory>

namespace {

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

} // namespace

namespace {

ui::MsgAnswer consoleHandler(ui::MsgKind kind, const QString& text, ui::MsgButtons buttons) {
    err() << "[" << ui::toString(kind) << "] " << text << '\n';
    err().flush();
    return ui::MessageService::negativeAnswer(buttons);
}

} // namespace

void ScreenshotRunner::installConsoleMessages() {
    ui::MessageService::setHandler(consoleHandler);
}

bool ScreenshotRunner::requested(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--screenshots"));
}

bool ScreenshotRunner::parse(const QStringList& arguments, Options& options, QString& error) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        QString* target = nullptr;
        if (arg == QLatin1String("--screenshots"))
            target = &options.folder;
        else if (arg == QLatin1String("--user"))
            target = &options.user;
        else if (arg == QLatin1String("--password"))
            target = &options.password;
        else {
            error = QStringLiteral("Unknown argument: %1").arg(arg);
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(arg);
            return false;
        }
        *target = arguments.at(++i);
    }
    if (options.folder.isEmpty() || options.user.isEmpty()) {
        error = QStringLiteral(
            "Usage: kalveo --screenshots <folder> --user <code> --password <password>");
        return false;
    }
    return true;
}

ScreenshotRunner::ScreenshotRunner(TFmMain& mainWindow, const ScreenRegistry& registry,
                                   Options options)
    : m_main(mainWindow), m_registry(registry), m_options(std::move(options)) {}

void ScreenshotRunner::shoot(const QString& name, QWidget* widget) {
    if (!widget) {
        m_failures << name;
        err() << "not built: " << name << '\n';
        return;
    }
    settle();
    const QString path = QDir(m_options.folder).filePath(name + QStringLiteral(".png"));
    if (widget->grab().save(path)) {
        m_written << path;
        err() << "wrote " << path << '\n';
    } else {
        m_failures << name;
        err() << "could not write " << path << '\n';
    }
    err().flush();
}

// A dialog is shown without a modal loop, photographed and deleted.
void ScreenshotRunner::shootDialog(const QString& name, QWidget* widget) {
    std::unique_ptr<QWidget> owner(widget);
    if (!widget) {
        shoot(name, nullptr);
        return;
    }
    widget->show();
    shoot(name, widget);
    widget->hide();
}

bool ScreenshotRunner::logIn() {
    TDMMain* dm = TDMMain::instance();
    SessionContext.LoginModuleCode = QStringLiteral("SYS-001");
    bool ok = false;
    ui::guarded([&] {
        const auto row =
            dm->OpenLogin(m_options.user, m_options.password, SessionContext.LoginModuleCode);
        if (!row)
            return;
        dm->OpenProjectScope(row->userID);
        SessionContext.UserCode = row->userCode;
        SessionContext.UserName = row->userName;
        SessionContext.LoggedIn = 1;
        ok = true;
    });
    return ok;
}

int ScreenshotRunner::run() {
    const ui::MessageService::Handler previous = ui::MessageService::setHandler(consoleHandler);

    if (!QDir().mkpath(m_options.folder)) {
        err() << "cannot create " << m_options.folder << '\n';
        ui::MessageService::setHandler(previous);
        return 2;
    }
    m_main.resize(1280, 800);
    m_main.show();
    shoot(QStringLiteral("TFmMain-loggedout"), &m_main);
    shootDialog(QStringLiteral("TFmLogin"), new TFmLogin(&m_main));

    if (!logIn()) {
        err() << "log-in as " << m_options.user << " failed\n";
        err().flush();
        ui::MessageService::setHandler(previous);
        return 3;
    }
    m_main.DoLogin();
    shoot(QStringLiteral("TFmMain"), &m_main);
    shootDialog(QStringLiteral("TFmProjectSelect"), new TFmProjectSelect(&m_main));
    shootDialog(QStringLiteral("TFmPasswordChange"), new TFmPasswordChange(&m_main));

    for (const QString& screenClass : m_registry.screenNames()) {
        if (const TFmMain::ModuleCommand* command = TFmMain::moduleCommandFor(screenClass))
            TFmMain::applyModuleContext(*command);
        QPointer<QWidget> widget;
        ui::guarded([&] { widget = m_main.ActivateMDIClass(screenClass); });
        if (!widget) {
            shoot(screenClass, nullptr);
        } else if (widget->isWindow()) {
            shoot(screenClass, widget);
            widget->close();
        } else {
            // A child window is photographed inside the main window.
            shoot(screenClass, &m_main);
        }
        m_main.CloseAll();
        settle();
    }
    for (const ScreenRegistry::Shot& shot : m_registry.screenshots()) {
        QWidget* widget = nullptr;
        ui::guarded([&] { widget = shot.create(); });
        shootDialog(shot.name, widget);
    }

    ui::MessageService::setHandler(previous);
    err() << m_written.size() << " pictures written, " << m_failures.size() << " failed\n";
    err().flush();
    return m_failures.isEmpty() ? 0 : 1;
}
