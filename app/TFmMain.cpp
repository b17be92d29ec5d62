#include "TFmMain.h"

#include "ScreenRegistry.h"
#include "SessionContext.h"
#include "TDMMain.h"
#include "TFmPasswordChange.h"
#include "TFmProjectSelect.h"
#include "db/DbError.h"
#include "platform/ui/ErrorGuard.h"
#include "platform/ui/MessageService.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>

namespace {

// Status bar panels, counted from 1: project, user, server, workstation,
// keyboard state, empty.
constexpr int kPanelProject = 1;
constexpr int kPanelUser = 2;
constexpr int kPanelServer = 3;
constexpr int kPanelWorkstation = 4;

const QString kSystemModule = QStringLiteral("SYS-001");

} // namespace

const QList<TFmMain::ModuleCommand>& TFmMain::moduleCommands() {
    static const QList<ModuleCommand> commands = {
        {QStringLiteral("dxBarButton13"), QStringLiteral("00"), QStringLiteral("SIT-"),
         QStringLiteral("RAP-001"), QStringLiteral("TFmProjectRAPRealizationView")},
        {QStringLiteral("dxBarButton10"), QStringLiteral("00"), QStringLiteral("SIT-"),
         QStringLiteral("SPK-001"), QStringLiteral("TFmProjectSPKMandorView")},
        {QStringLiteral("dxBarButton11"), QStringLiteral("00"), QStringLiteral("SIT-"),
         QStringLiteral("SPK-002"), QStringLiteral("TFmProjectSPKMandorPaymentView")},
        {QStringLiteral("dxBarButton12"), QStringLiteral("00"), QStringLiteral("SIT-"),
         QStringLiteral("PC-001"), QStringLiteral("TFmProjectPCView2")},
        {QStringLiteral("dxBarButton14"), QStringLiteral("00"), QStringLiteral("SIT-"),
         QStringLiteral("RAP-001"), QStringLiteral("TFmProjectSPBView")},
        {QStringLiteral("dxBarButton1"), QStringLiteral("03"), QStringLiteral("CON-"),
         QStringLiteral("PPB-002"), QStringLiteral("TFmProjectView")},
        {QStringLiteral("dxBarButton2"), QStringLiteral("03"), QStringLiteral("CON-"),
         QStringLiteral("PPB-002"), QStringLiteral("TFmCompanyList")},
        {QStringLiteral("dxBarButton3"), QStringLiteral("03"), QStringLiteral("CON-"),
         QStringLiteral("PPB-002"), QStringLiteral("TFmEmployee")},
    };
    return commands;
}

const TFmMain::ModuleCommand* TFmMain::moduleCommandFor(const QString& screenClass) {
    for (const ModuleCommand& c : moduleCommands()) {
        if (c.screenClass == screenClass)
            return &c;
    }
    return nullptr;
}

TFmMain::TFmMain(const ScreenRegistry& registry, QWidget* parent)
    : ui::MdiFrame(parent), m_registry(registry) {
    setObjectName(QStringLiteral("FmMain"));
    setStatusPanels({150, 150, 200, 150, 137, 150}, 4);
    buildMenus();
}

QAction* TFmMain::addCommand(QMenu* menu, const QString& caption, const QString& objectName) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

void TFmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("dxBarManager1Bar1"));

    QMenu* mainMenu = bar->addMenu(QStringLiteral("Main"));
    mainMenu->setObjectName(QStringLiteral("mnuMain"));
    mnuLOGIN = addCommand(mainMenu, QStringLiteral("Login"), QStringLiteral("mnuLOGIN"));
    mnuLOGOUT = addCommand(mainMenu, QStringLiteral("Logout"), QStringLiteral("mnuLOGOUT"));
    mnuCHGPWD =
        addCommand(mainMenu, QStringLiteral("Change Password"), QStringLiteral("mnuCHGPWD"));
    mainMenu->addSeparator();
    mnuCHGPROJECT =
        addCommand(mainMenu, QStringLiteral("Change Project"), QStringLiteral("mnuCHGPROJECT"));
    mainMenu->addSeparator();
    mnuEXIT = addCommand(mainMenu, QStringLiteral("Exit"), QStringLiteral("mnuEXIT"));
    mnuLOGIN->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    mnuLOGOUT->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    mnuCHGPWD->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    mnuEXIT->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    mnuLOGOUT->setEnabled(false);
    mnuCHGPWD->setEnabled(false);
    mnuCHGPROJECT->setEnabled(false);
    connect(mnuLOGIN, &QAction::triggered, this, &TFmMain::mnuLOGINClick);
    connect(mnuLOGOUT, &QAction::triggered, this, &TFmMain::mnuLOGOUTClick);
    connect(mnuCHGPWD, &QAction::triggered, this, &TFmMain::mnuCHGPWDClick);
    connect(mnuCHGPROJECT, &QAction::triggered, this, &TFmMain::mnuCHGPROJECTClick);
    connect(mnuEXIT, &QAction::triggered, this, &TFmMain::mnuEXITClick);

    QMenu* projects = bar->addMenu(QStringLiteral("Projects"));
    projects->setObjectName(QStringLiteral("mnuProjects"));
    QMenu* rap = projects->addMenu(QStringLiteral("RAP"));
    addCommand(rap, QStringLiteral("RAP vs Realization"), QStringLiteral("dxBarButton13"));
    projects->addSeparator();
    QMenu* spk = projects->addMenu(QStringLiteral("S P K"));
    addCommand(spk, QStringLiteral("Pendataan"), QStringLiteral("dxBarButton10"));
    addCommand(spk, QStringLiteral("Pembayaran"), QStringLiteral("dxBarButton11"));
    projects->addSeparator();
    QMenu* lpp = projects->addMenu(QStringLiteral("LPP"));
    addCommand(lpp, QStringLiteral("Pendataan"), QStringLiteral("dxBarButton12"));

    // The warehouse menu is shown but never enabled.
    mnuGudang = bar->addMenu(QStringLiteral("Gudang"));
    mnuGudang->setObjectName(QStringLiteral("mnuGudang"));
    QMenu* spb = mnuGudang->addMenu(QStringLiteral("SPB"));
    addCommand(spb, QStringLiteral("Pendataan"), QStringLiteral("dxBarButton14"));
    addCommand(spb, QStringLiteral("Monitor"), QStringLiteral("dxBarButton15"));
    mnuGudang->addSeparator();
    QMenu* stock = mnuGudang->addMenu(QStringLiteral("Stok"));
    addCommand(stock, QStringLiteral("Masuk"), QStringLiteral("dxBarButton16"));
    addCommand(stock, QStringLiteral("Keluar"), QStringLiteral("dxBarButton17"));
    addCommand(stock, QStringLiteral("Monitor"), QStringLiteral("dxBarButton18"));
    mnuGudang->menuAction()->setEnabled(false);
    mnuGudang->setEnabled(false);

    QMenu* master = bar->addMenu(QStringLiteral("Master Data"));
    master->setObjectName(QStringLiteral("mnuMasterData"));
    addCommand(master, QStringLiteral("Project"), QStringLiteral("dxBarButton1"));
    addCommand(master, QStringLiteral("Company"), QStringLiteral("dxBarButton2"));
    addCommand(master, QStringLiteral("Employee"), QStringLiteral("dxBarButton3"));

    // Module commands: a command whose screen is not built into this program stays disabled.
    for (const ModuleCommand& command : moduleCommands()) {
        auto* action = bar->findChild<QAction*>(command.action);
        if (!action)
            continue;
        action->setEnabled(m_registry.hasScreen(command.screenClass));
        connect(action, &QAction::triggered, this, [this, command] { RunModuleCommand(command); });
    }
}

void TFmMain::FormCreate() {
    try {
        if (!TDMMain::instance()->CheckVersion()) {
            ui::MessageService::information(
                QStringLiteral("System expired, contact your system administrator."));
            m_terminateRequested = true;
        }
    } catch (const db::DbError& e) {
        ui::MessageService::error(e.text());
        return;
    }
    setWindowTitle(QString::fromLatin1(Title));
    SessionContext.WorkstationName = GetWorkstationName();
    DoLogin();
}

void TFmMain::setPanel(int panel, const QString& text) {
    setPanelText(panel - 1, text);
}

QString TFmMain::statusText(int panel) const {
    return panelText(panel - 1);
}

void TFmMain::DoLogin() {
    const bool loggedIn = SessionContext.LoggedIn == 1;
    mnuLOGIN->setEnabled(!loggedIn);
    mnuLOGOUT->setEnabled(loggedIn);
    mnuCHGPWD->setEnabled(loggedIn);
    mnuCHGPROJECT->setEnabled(loggedIn);

    if (loggedIn) {
        // No current project (empty or unloaded scope) shows an empty code and name.
        const db::Dataset& scope = TDMMain::instance()->adodsProject;
        const bool hasProject = scope.isOpen() && scope.currentRow() >= 0;
        const QString code = hasProject ? scope.asString(u"ProjectCode") : QString();
        const QString name = hasProject ? scope.asString(u"ProjectName") : QString();
        setPanel(kPanelProject, QStringLiteral("Proyek : ") + code + QStringLiteral(" - ") + name);
    } else {
        setPanel(kPanelProject, QStringLiteral("Proyek :"));
    }
    setPanel(kPanelUser, QStringLiteral("User : ") + SessionContext.UserName);
    if (!SessionContext.ServerName.isEmpty())
        setPanel(kPanelServer, QStringLiteral("Server : ") + SessionContext.ServerName +
                                   QStringLiteral(" (") + SessionContext.ServerMode +
                                   QStringLiteral(")"));
    else
        setPanel(kPanelServer, QStringLiteral("LOGIN FIRST"));
    setPanel(kPanelWorkstation, QStringLiteral("Workstation : ") + SessionContext.WorkstationName);
}

QString TFmMain::screenClassOf(const QWidget* widget) {
    if (!widget)
        return {};
    const QVariant tag = widget->property(ScreenClassProperty);
    if (tag.isValid())
        return tag.toString();
    return QString::fromLatin1(widget->metaObject()->className());
}

int TFmMain::GetMDIClassIndex(const QString& screenClass) const {
    const QList<QWidget*> windows = childWindows();
    int found = -1;
    for (int i = 0; i < windows.size(); ++i) {
        if (screenClassOf(windows.at(i)) == screenClass)
            found = i;
    }
    return found;
}

QWidget* TFmMain::ActivateMDIClass(const QString& screenClass) {
    const ScreenRegistry::Screen* screen = m_registry.screen(screenClass);
    const int index = GetMDIClassIndex(screenClass);
    if (index >= 0) {
        QWidget* widget = childWindows().at(index);
        activate(widget);
        return widget;
    }
    if (!screen)
        return nullptr;
    QWidget* widget = screen->create();
    if (!widget)
        return nullptr;
    widget->setProperty(ScreenClassProperty, screenClass);
    if (screen->placement == ScreenRegistry::Placement::Window) {
        widget->setParent(this, Qt::Window);
        widget->setAttribute(Qt::WA_DeleteOnClose);
        widget->show();
        widget->raise();
        widget->activateWindow();
        return widget;
    }
    QMdiSubWindow* frame = addChild(widget);
    frame->showMaximized();
    activate(widget);
    return widget;
}

// Closes every child window, the last opened first.
void TFmMain::CloseAll() {
    closeAllChildren();
}

void TFmMain::applyModuleContext(const ModuleCommand& command) {
    SessionContext.DepartmentCode = command.departmentCode;
    SessionContext.DepartmentPrefix = command.departmentPrefix;
    SessionContext.ModuleCode = command.moduleCode;
    SessionContext.LoginModuleCode = command.departmentPrefix + command.moduleCode;
}

void TFmMain::RunModuleCommand(const ModuleCommand& command) {
    applyModuleContext(command);
    if (TDMMain::instance()->EnsureLogin())
        ui::guarded([&] { ActivateMDIClass(command.screenClass); });
    DoLogin();
}

void TFmMain::mnuLOGINClick() {
    SessionContext.LoginModuleCode = kSystemModule;
    TDMMain::instance()->EnsureLogin();
    DoLogin();
}

void TFmMain::mnuLOGOUTClick() {
    CloseAll();
    SessionContext.LoggedIn = 0;
    SessionContext.UserCode.clear();
    SessionContext.UserName.clear();
    SessionContext.ViewProjectID = 0;
    DoLogin();
}

void TFmMain::mnuCHGPWDClick() {
    SessionContext.LoginModuleCode = kSystemModule;
    if (TDMMain::instance()->EnsureLogin() && !findChild<TFmPasswordChange*>()) {
        TFmPasswordChange dialog(this);
        dialog.exec();
    }
    DoLogin();
}

void TFmMain::mnuCHGPROJECTClick() {
    if (SessionContext.LoggedIn == 1 && TDMMain::instance()->adodsProject.isOpen()) {
        TFmProjectSelect dialog(this);
        dialog.exec();
    }
    DoLogin();
}

void TFmMain::mnuEXITClick() {
    close();
}
