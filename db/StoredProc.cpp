#include "StoredProc.h"

#include "Dataset.h"
#include "DbError.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

StoredProc::StoredProc(Connection* connection, const QString& procedureName, QObject* parent)
    : QObject(parent), m_connection(connection), m_name(procedureName) {
    setObjectName(procedureName);
}

StoredProc& StoredProc::declare(const QString& name, FieldType type, ParamDirection direction,
                                int size) {
    m_params.append(Param{name, type, direction, size, QVariant()});
    return *this;
}

int StoredProc::indexOf(const QString& name) const {
    QStringView n(name);
    if (n.startsWith(u'@'))
        n = n.mid(1);
    for (int i = 0; i < m_params.size(); ++i)
        if (n.compare(m_params[i].name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void StoredProc::setParam(const QString& name, const QVariant& value) {
    const int i = indexOf(name);
    if (i < 0)
        throw DbError(QStringLiteral("%1: parameter '%2' not found").arg(m_name, name));
    m_params[i].value = value;
}

QVariant StoredProc::param(const QString& name) const {
    const int i = indexOf(name);
    return i < 0 ? QVariant() : m_params[i].value;
}

void StoredProc::clearValues() {
    for (auto& p : m_params)
        p.value = QVariant();
}

QString StoredProc::sqlText() const {
    QStringList args;
    for (const auto& p : m_params)
        if (p.direction != ParamDirection::Output)
            args << u':' + p.name;
    return QStringLiteral("SELECT * FROM %1(%2)").arg(m_name, args.join(QStringLiteral(", ")));
}

ParamList StoredProc::inputs() const {
    ParamList list;
    for (const auto& p : m_params) {
        if (p.direction == ParamDirection::Output)
            continue;
        QVariant v = p.value;
        // A typed null lets the server pick the right overload-free signature.
        if (!v.isValid() || v.isNull()) {
            switch (p.type) {
            case FieldType::Integer:
                v = QVariant(QMetaType::fromType<int>());
                break;
            case FieldType::Boolean:
                v = QVariant(QMetaType::fromType<bool>());
                break;
            case FieldType::DateTime:
                v = QVariant(QMetaType::fromType<QDateTime>());
                break;
            default:
                v = QVariant(QMetaType::fromType<QString>());
                break;
            }
        } else {
            v = Dataset::coerce(v, p.type);
        }
        list.append({p.name, v});
    }
    return list;
}

void StoredProc::execute() {
    if (!m_connection)
        throw DbError(QStringLiteral("%1: no connection").arg(m_name));
    QSqlQuery q = m_connection->exec(sqlText(), inputs());
    if (!q.next())
        return;
    const QSqlRecord rec = q.record();
    for (auto& p : m_params) {
        if (p.direction == ParamDirection::Input)
            continue;
        const int col = rec.indexOf(p.name); // QSqlRecord lookup ignores case
        if (col >= 0)
            p.value = Dataset::coerce(q.value(col), p.type);
    }
}

void StoredProc::open(Dataset& into) {
    if (!m_connection)
        throw DbError(QStringLiteral("%1: no connection").arg(m_name));
    into.close();
    QSqlQuery q = m_connection->exec(sqlText(), inputs());
    into.load(q);
}

} // namespace db
