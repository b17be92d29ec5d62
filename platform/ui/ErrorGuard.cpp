#include "platform/ui/ErrorGuard.h"

#include "db/DbError.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/SilentAbort.h"

#include <QCoreApplication>

namespace ui {

bool ErrorGuard::run(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

void ErrorGuard::reportCurrentException() {
    const QString text = textOf(std::current_exception());
    if (!text.isEmpty())
        MessageService::error(text);
}

QString ErrorGuard::textOf(std::exception_ptr error) {
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const SilentAbort&) {
        return {};
    } catch (const db::DbError& e) {
        return e.text().isEmpty() ? QStringLiteral("Kesalahan basis data.") : e.text();
    } catch (const std::exception& e) {
        const QString text = QString::fromUtf8(e.what());
        return text.isEmpty() ? QStringLiteral("Terjadi kesalahan.") : text;
    } catch (...) {
        return QStringLiteral("Terjadi kesalahan yang tidak dikenal.");
    }
}

} // namespace ui
