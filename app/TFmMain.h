#pragma once

#include "platform/ui/MdiFrame.h"

#include <QList>
#include <QString>

class QAction;
class QMenu;
class ScreenRegistry;

// The main window: a multiple-document frame whose menu commands record their
// module context, make sure a user is logged in and open the module's register,
// one child window per screen class. The status bar shows the current project,
// the user, the server and the workstation.
class TFmMain : public ui::MdiFrame {
    Q_OBJECT
public:
    static constexpr const char* Title =
        "KALVEO GROUP - Integrated System Beta version 0.1.17 (25 Januari 2013)";

    // What a module command writes into the session before it opens its screen.
    struct ModuleCommand {
        QString action; // objectName of the menu action
        QString departmentCode;
        QString departmentPrefix;
        QString moduleCode;
        QString screenClass;
    };
    static const QList<ModuleCommand>& moduleCommands();
    static const ModuleCommand* moduleCommandFor(const QString& screenClass);

    explicit TFmMain(const ScreenRegistry& registry, QWidget* parent = nullptr);

    // Version check, title, workstation name, menu and status bar. A database error
    // in the version check is shown and ends the step there.
    void FormCreate();
    // True when the version check failed: the program ends once its event loop starts.
    bool terminateRequested() const { return m_terminateRequested; }

    void DoLogin();
    QWidget* ActivateMDIClass(const QString& screenClass);
    int GetMDIClassIndex(const QString& screenClass) const;
    void CloseAll();
    // Sets the module context, asks for a log-in and opens the screen.
    void RunModuleCommand(const ModuleCommand& command);
    // Writes a command's module context into the session.
    static void applyModuleContext(const ModuleCommand& command);

    // Text of a status bar panel, counted from 1.
    QString statusText(int panel) const;

    QAction* mnuLOGIN;
    QAction* mnuLOGOUT;
    QAction* mnuCHGPWD;
    QAction* mnuCHGPROJECT;
    QAction* mnuEXIT;
    QMenu* mnuGudang;

    static constexpr const char* ScreenClassProperty = "skmScreenClass";

public slots:
    void mnuLOGINClick();
    void mnuLOGOUTClick();
    void mnuCHGPWDClick();
    void mnuCHGPROJECTClick();
    void mnuEXITClick();

private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, const QString& caption, const QString& objectName);
    void setPanel(int panel, const QString& text);
    static QString screenClassOf(const QWidget* widget);

    const ScreenRegistry& m_registry;
    bool m_terminateRequested = false;
};
