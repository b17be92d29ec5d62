#include "platform/ui/GuardedApplication.h"

#include "platform/ui/ErrorGuard.h"

namespace ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ErrorGuard::reportCurrentException();
        return false;
    }
}

} // namespace ui
