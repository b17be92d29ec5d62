#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class ScreenRegistry;
class TFmMain;

// Photographs every screen built into the program without anyone at the
// keyboard: logs in, opens each registered register and dialog, saves a PNG of
// each into a folder. Message boxes are written to standard error and answered
// negatively so that nothing waits for a person.
//
//   kalveo --screenshots <folder> --user <code> --password <password>
class ScreenshotRunner {
public:
    struct Options {
        QString folder;
        QString user;
        QString password;
    };

    // True when the arguments ask for screenshots; fills options or the error text.
    static bool requested(const QStringList& arguments);
    static bool parse(const QStringList& arguments, Options& options, QString& error);
    // Message boxes go to standard error and are answered negatively from now on.
    static void installConsoleMessages();

    ScreenshotRunner(TFmMain& mainWindow, const ScreenRegistry& registry, Options options);

    // Returns the process exit code: 0 when every picture was written.
    int run();
    const QStringList& written() const { return m_written; }
    const QStringList& failures() const { return m_failures; }

private:
    bool logIn();
    void shoot(const QString& name, QWidget* widget);
    void shootDialog(const QString& name, QWidget* widget);

    TFmMain& m_main;
    const ScreenRegistry& m_registry;
    Options m_options;
    QStringList m_written;
    QStringList m_failures;
};
