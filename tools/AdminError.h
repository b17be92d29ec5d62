#pragma once

#include <QString>
#include <stdexcept>

namespace admin {

// A failure of an administration step, with a message meant for the operator.
class AdminError : public std::runtime_error {
public:
    explicit AdminError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

} // namespace admin
