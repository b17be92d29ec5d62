#pragma once

#include <QString>

namespace db {

// The result text of a writing procedure: "CC- message". Characters 1-2 are the
// status code ("00" = success), 3-4 are skipped, the message starts at the fifth.
class Hasil {
public:
    Hasil() = default;
    explicit Hasil(QString text) : m_text(std::move(text)) {}

    const QString& text() const { return m_text; }
    QString code() const { return m_text.left(2); }
    bool ok() const { return code() == QLatin1String("00"); }
    QString message() const { return m_text.mid(4); }

private:
    QString m_text;
};

} // namespace db
