#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <ostream>

// Readable gtest output for Qt values (found by argument-dependent lookup).
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
inline void PrintTo(const QDate& d, std::ostream* os) {
    *os << (d.isValid() ? d.toString(Qt::ISODate).toStdString() : std::string("(null date)"));
}
inline void PrintTo(const QVariant& v, std::ostream* os) {
    *os << "QVariant(" << v.typeName() << ", " << v.toString().toStdString() << ')';
}
