#pragma once

#include <QApplication>

namespace ui {

// The application object: no exception escapes into Qt's event loop. An error
// thrown while an event is handled (a slot, a timer, a key) shows the standard
// error box with its own text; the event counts as unhandled and the loop goes on.
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ui
