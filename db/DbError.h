#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the driver or the server, carrying the server's own text.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

} // namespace db
