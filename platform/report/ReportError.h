#pragma once

#include <QString>
#include <stdexcept>

namespace report {

// Raised for a missing or malformed template and for expressions that cannot be
// evaluated; the text names the file (and line) so the user can act on it.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace report
