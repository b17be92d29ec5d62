#include "Dataset.h"

#include "DbError.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

namespace {

// PostgreSQL type OIDs as reported by the QPSQL driver.
FieldType typeFromOid(int oid, QMetaType meta) {
    switch (oid) {
    case 16:
        return FieldType::Boolean;
    case 20:
    case 21:
    case 23:
    case 26:
        return FieldType::Integer;
    case 700:
    case 701:
        return FieldType::Float;
    case 1700:
        return FieldType::Decimal;
    case 1082:
    case 1114:
    case 1184:
        return FieldType::DateTime;
    default:
        break;
    }
    switch (meta.id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return FieldType::Integer;
    case QMetaType::Double:
        return FieldType::Float;
    case QMetaType::Bool:
        return FieldType::Boolean;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return FieldType::DateTime;
    default:
        return FieldType::Text;
    }
}

QString keyText(const QVariant& v) {
    if (v.isNull())
        return QString();
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>().toString();
    return v.toString();
}

} // namespace

Dataset::Dataset(QObject* parent) : QObject(parent) {
    Decimal::registerMetaType();
}

Dataset::Dataset(Connection* connection, const QString& sql, QObject* parent) : Dataset(parent) {
    m_connection = connection;
    m_sql = sql;
}

void Dataset::setParam(const QString& name, const QVariant& value) {
    for (auto& p : m_params) {
        if (p.first.compare(name, Qt::CaseInsensitive) == 0) {
            p.second = value;
            return;
        }
    }
    m_params.append({name, value});
}

QVariant Dataset::param(const QString& name) const {
    for (const auto& p : m_params)
        if (p.first.compare(name, Qt::CaseInsensitive) == 0)
            return p.second;
    return {};
}

void Dataset::addExtraField(const FieldDef& def, Extra extra) {
    m_extraDefs.append(def);
    m_extras.append(std::move(extra));
    if (m_open || !m_fields.isEmpty()) {
        m_fields.append(def);
        rebuildIndex();
    }
}

void Dataset::addCalculatedField(const QString& name, FieldType type, CalcFn fn) {
    Extra e;
    e.calc = std::move(fn);
    addExtraField(FieldDef{name, type, FieldKind::Calculated}, std::move(e));
}

void Dataset::addLookupField(const QString& name, FieldType type, const QString& keyField,
                             Dataset* source, const QString& sourceKey,
                             const QString& sourceField) {
    Extra e;
    e.keyName = keyField;
    e.source = source;
    e.sourceKey = sourceKey;
    e.sourceField = sourceField;
    const int extraIndex = m_extras.size();
    auto drop = [this, extraIndex]() { m_lookupCache.remove(extraIndex); };
    connect(source, &Dataset::rowsReset, this, drop);
    connect(source, &Dataset::rowInserted, this, drop);
    connect(source, &Dataset::rowRemoved, this, drop);
    connect(source, &Dataset::valueChanged, this, drop);
    addExtraField(FieldDef{name, type, FieldKind::Lookup}, std::move(e));
}

void Dataset::rebuildIndex() {
    m_index.clear();
    for (int i = 0; i < m_fields.size(); ++i) {
        const QString key = m_fields[i].name.toLower();
        if (!m_index.contains(key))
            m_index.insert(key, i);
    }
    for (auto& e : m_extras)
        if (!e.keyName.isEmpty())
            e.keyField = fieldIndex(e.keyName);
    m_lookupCache.clear();
}

int Dataset::fieldIndex(QStringView name) const {
    return m_index.value(name.toString().toLower(), -1);
}

int Dataset::requireField(QStringView name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("%1: Field '%2' not found")
                          .arg(objectName().isEmpty() ? QStringLiteral("Dataset") : objectName(),
                               name.toString()));
    return i;
}

void Dataset::open() {
    if (m_open)
        return;
    if (!m_connection)
        throw DbError(QStringLiteral("%1: no connection").arg(objectName()));
    QSqlQuery q = m_connection->exec(m_sql, m_params);
    load(q);
}

void Dataset::load(QSqlQuery& q) {
    const QSqlRecord rec = q.record();
    QVector<FieldDef> defs;
    defs.reserve(rec.count());
    for (int i = 0; i < rec.count(); ++i) {
        const QSqlField f = rec.field(i);
        FieldDef d;
        d.name = f.name();
        d.type = typeFromOid(f.typeID(), f.metaType());
        d.size = f.length() > 0 ? f.length() : 0;
        d.scale = f.precision() > 0 ? f.precision() : 0;
        defs.append(d);
    }
    std::vector<QVector<QVariant>> rows;
    const int n = defs.size();
    if (q.isActive() && q.isSelect()) {
        while (q.next()) {
            QVector<QVariant> row(n);
            for (int i = 0; i < n; ++i) {
                QVariant v = q.value(i);
                if (v.isNull()) {
                    row[i] = QVariant();
                } else if (defs[i].type == FieldType::Decimal) {
                    row[i] = QVariant::fromValue(Decimal::fromString(v.toString()));
                } else if (defs[i].type == FieldType::DateTime && v.metaType().id() == QMetaType::QDate) {
                    row[i] = QDateTime(v.toDate(), QTime(0, 0));
                } else {
                    row[i] = std::move(v);
                }
            }
            rows.push_back(std::move(row));
        }
    }
    loadRows(defs, std::move(rows));
}

void Dataset::loadRows(const QVector<FieldDef>& dataFields, std::vector<QVector<QVariant>> rows) {
    m_fields = dataFields;
    m_dataFieldCount = dataFields.size();
    m_fields += m_extraDefs;
    m_rows = std::move(rows);
    m_states.assign(m_rows.size(), RowState::Unchanged);
    m_deletedCount = 0;
    m_open = true;
    rebuildIndex();
    m_current = m_rows.empty() ? -1 : 0;
    emit opened();
    emit rowsReset();
    emit currentRowChanged(m_current);
}

void Dataset::close() {
    if (!m_open)
        return;
    m_open = false;
    m_rows.clear();
    m_states.clear();
    m_deletedCount = 0;
    m_current = -1;
    m_lookupCache.clear();
    emit closed();
    emit rowsReset();
    emit currentRowChanged(-1);
}

QVariant Dataset::value(int row, int field) const {
    if (row < 0 || row >= rowCount() || field < 0 || field >= m_fields.size())
        return {};
    if (field < m_dataFieldCount)
        return m_rows[static_cast<size_t>(row)][field];
    const Extra& e = m_extras[field - m_dataFieldCount];
    if (e.calc)
        return e.calc(*this, row);
    return lookup(row, field - m_dataFieldCount, e);
}

QVariant Dataset::lookup(int row, int extraIndex, const Extra& e) const {
    if (!e.source || e.keyField < 0 || !e.source->isOpen())
        return {};
    const QVariant key = value(row, e.keyField);
    if (key.isNull())
        return {};
    auto it = m_lookupCache.find(extraIndex);
    if (it == m_lookupCache.end()) {
        QHash<QString, int> map;
        const int keyCol = e.source->fieldIndex(e.sourceKey);
        if (keyCol >= 0) {
            map.reserve(e.source->rowCount());
            for (int r = 0; r < e.source->rowCount(); ++r) {
                const QString k = keyText(e.source->value(r, keyCol));
                if (!map.contains(k))
                    map.insert(k, r);
            }
        }
        it = m_lookupCache.insert(extraIndex, map);
    }
    const int srcRow = it->value(keyText(key), -1);
    if (srcRow < 0)
        return {};
    const int srcCol = e.source->fieldIndex(e.sourceField);
    return srcCol < 0 ? QVariant() : e.source->value(srcRow, srcCol);
}

void Dataset::setCurrentRow(int row) {
    if (row < -1 || row >= rowCount())
        row = m_rows.empty() ? -1 : std::clamp(row, 0, rowCount() - 1);
    if (row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(row);
}

void Dataset::next() {
    if (m_current < 0)
        return;
    if (m_current + 1 >= rowCount()) {
        m_current = rowCount(); // past the end
        return;
    }
    setCurrentRow(m_current + 1);
}

QVariant Dataset::fieldValue(QStringView name) const {
    const int f = requireField(name);
    if (m_current < 0 || m_current >= rowCount())
        return {};
    return value(m_current, f);
}

int Dataset::toInt(const QVariant& v) {
    if (v.isNull())
        return 0;
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return static_cast<int>(v.value<Decimal>().toInt64());
    return v.toInt();
}

QString Dataset::toString(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>().toString();
    return v.toString();
}

Decimal Dataset::toDecimal(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>();
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return Decimal::fromInt(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return Decimal::fromDouble(v.toDouble());
    default:
        return Decimal::fromString(v.toString());
    }
}

double Dataset::toDouble(const QVariant& v) {
    if (v.isNull())
        return 0.0;
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>().toDouble();
    return v.toDouble();
}

bool Dataset::toBool(const QVariant& v) {
    if (v.isNull())
        return false;
    return v.toBool();
}

QVariant Dataset::coerce(const QVariant& v, FieldType type) {
    if (v.isNull() || !v.isValid())
        return {};
    switch (type) {
    case FieldType::Integer:
        return toInt(v);
    case FieldType::Decimal:
        return QVariant::fromValue(toDecimal(v));
    case FieldType::Float:
        return toDouble(v);
    case FieldType::Text:
        return toString(v);
    case FieldType::Boolean:
        return toBool(v);
    case FieldType::DateTime:
        if (v.metaType().id() == QMetaType::QDate)
            return QDateTime(v.toDate(), QTime(0, 0));
        return v.toDateTime();
    }
    return v;
}

int Dataset::appendRow(const QVariantMap& values) {
    if (!m_open)
        throw DbError(QStringLiteral("%1: dataset is not open").arg(objectName()));
    QVector<QVariant> row(m_dataFieldCount);
    for (auto it = values.begin(); it != values.end(); ++it) {
        const int f = requireField(it.key());
        if (f < m_dataFieldCount)
            row[f] = coerce(it.value(), m_fields[f].type);
    }
    m_rows.push_back(std::move(row));
    m_states.push_back(RowState::Inserted);
    const int r = rowCount() - 1;
    emit rowInserted(r);
    m_current = r;
    emit currentRowChanged(r);
    return r;
}

void Dataset::setValue(int row, int field, const QVariant& v) {
    if (row < 0 || row >= rowCount())
        throw DbError(QStringLiteral("%1: no row %2").arg(objectName()).arg(row));
    if (field < 0 || field >= m_dataFieldCount)
        throw DbError(QStringLiteral("%1: field %2 cannot be modified")
                          .arg(objectName(), field >= 0 && field < m_fields.size()
                                                 ? m_fields[field].name
                                                 : QString::number(field)));
    m_rows[static_cast<size_t>(row)][field] = coerce(v, m_fields[field].type);
    auto& st = m_states[static_cast<size_t>(row)];
    if (st == RowState::Unchanged)
        st = RowState::Modified;
    emit valueChanged(row, field);
}

void Dataset::deleteRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
    m_states.erase(m_states.begin() + row);
    ++m_deletedCount;
    emit rowRemoved(row);
    const int cur = m_rows.empty() ? -1 : std::min(row, rowCount() - 1);
    m_current = cur;
    emit currentRowChanged(cur);
}

} // namespace db
