#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The screens the main window can open, by class name, and the windows the
// screenshot command photographs. Modules register theirs at start-up:
//
//   registry.addScreen("TFmProjectSPKMandorView", [] { return new TFmProjectSPKMandorView; });
//   registry.addScreenshot("TFmProjectSPKMandor", [] { return new TFmProjectSPKMandor; });
//
// A module command whose screen is not registered stays disabled in the menu.
class ScreenRegistry {
public:
    using Factory = std::function<QWidget*()>;

    enum class Placement {
        Child,  // a child window of the main window, one per class
        Window, // an ordinary top-level window, a new one on every command
    };

    struct Screen {
        QString className;
        Factory create;
        Placement placement = Placement::Child;
    };

    struct Shot {
        QString name;
        Factory create;
    };

    void addScreen(const QString& className, Factory create,
                   Placement placement = Placement::Child);
    bool hasScreen(const QString& className) const;
    const Screen* screen(const QString& className) const;
    QStringList screenNames() const;

    // A window shown only by the screenshot command (dialogs above all). The factory
    // builds the window unshown; the command shows it, grabs it and deletes it.
    void addScreenshot(const QString& name, Factory create);
    const QList<Shot>& screenshots() const { return m_shots; }

private:
    QList<Screen> m_screens;
    QList<Shot> m_shots;
};
