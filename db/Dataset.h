#pragma once

#include "Connection.h"
#include "Decimal.h"
#include "FieldDef.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QVariant>
#include <QVariantMap>
#include <QVector>
#include <functional>
#include <vector>

class QSqlQuery;

namespace db {

// A query result held in memory: typed fields looked up case-insensitively, a
// current row, calculated and lookup fields, and local edits ("batch mode") that
// are never written back; entry dialogs save them through procedures.
class Dataset : public QObject {
    Q_OBJECT
public:
    enum class RowState { Unchanged, Inserted, Modified };
    using CalcFn = std::function<QVariant(const Dataset&, int row)>;

    explicit Dataset(QObject* parent = nullptr);
    Dataset(Connection* connection, const QString& sql, QObject* parent = nullptr);

    void setConnection(Connection* connection) { m_connection = connection; }
    Connection* connection() const { return m_connection; }
    void setSql(const QString& sql) { m_sql = sql; }
    const QString& sql() const { return m_sql; }

    // Named parameters (":name" in the SQL), bound by value when the dataset opens.
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    const ParamList& params() const { return m_params; }

    void addCalculatedField(const QString& name, FieldType type, CalcFn fn);
    // name := source.sourceField of the source row whose sourceKey equals this row's keyField.
    void addLookupField(const QString& name, FieldType type, const QString& keyField,
                        Dataset* source, const QString& sourceKey, const QString& sourceField);

    void open();  // runs the SQL; throws DbError
    void close(); // drops the rows, keeps SQL, parameters and extra fields
    void reopen() {
        close();
        open();
    }
    bool isOpen() const { return m_open; }
    // Fills the dataset from a query that has already run (procedure results).
    void load(QSqlQuery& query);
    // Fills the dataset from memory (tests, generated data, workbook sheets).
    void loadRows(const QVector<FieldDef>& dataFields, std::vector<QVector<QVariant>> rows);

    int fieldCount() const { return m_fields.size(); }
    const FieldDef& field(int index) const { return m_fields.at(index); }
    int fieldIndex(QStringView name) const; // -1 when absent
    bool hasField(QStringView name) const { return fieldIndex(name) >= 0; }
    int requireField(QStringView name) const; // throws DbError("Field 'x' not found")

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    QVariant value(int row, int field) const;
    QVariant value(int row, QStringView name) const { return value(row, requireField(name)); }

    // Current row: -1 when the dataset is empty or closed.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);
    void first() { setCurrentRow(m_rows.empty() ? -1 : 0); }
    void next();
    bool atEnd() const { return m_current < 0 || m_current >= rowCount(); }
    QVariant fieldValue(QStringView name) const; // null without a current row

    // Typed readers of the current row; null reads as 0, empty text, false or invalid date.
    int asInt(QStringView name) const { return toInt(fieldValue(name)); }
    QString asString(QStringView name) const { return toString(fieldValue(name)); }
    Decimal asDecimal(QStringView name) const { return toDecimal(fieldValue(name)); }
    double asDouble(QStringView name) const { return toDouble(fieldValue(name)); }
    bool asBool(QStringView name) const { return toBool(fieldValue(name)); }
    QDateTime asDateTime(QStringView name) const { return fieldValue(name).toDateTime(); }

    static int toInt(const QVariant& v);
    static QString toString(const QVariant& v);
    static Decimal toDecimal(const QVariant& v);
    static double toDouble(const QVariant& v);
    static bool toBool(const QVariant& v);

    // Local editing. Values are converted to the field's type.
    int appendRow(const QVariantMap& values = {});
    void setValue(int row, int field, const QVariant& value);
    void setValue(int row, QStringView name, const QVariant& v) { setValue(row, requireField(name), v); }
    void deleteRow(int row);
    RowState rowState(int row) const { return m_states.at(static_cast<size_t>(row)); }
    int deletedCount() const { return m_deletedCount; }

    static QVariant coerce(const QVariant& value, FieldType type);

signals:
    void opened();
    void closed();
    void rowsReset(); // after open, load or close: every row may have changed
    void rowInserted(int row);
    void rowRemoved(int row);
    void valueChanged(int row, int field);
    void currentRowChanged(int row);

private:
    struct Extra {
        CalcFn calc;
        int keyField = -1;
        QString keyName;
        Dataset* source = nullptr;
        QString sourceKey;
        QString sourceField;
    };
    QVariant lookup(int row, int fieldIndex, const Extra& e) const;
    void rebuildIndex();
    void resetRows();
    void addExtraField(const FieldDef& def, Extra extra);

    Connection* m_connection = nullptr;
    QString m_sql;
    ParamList m_params;
    bool m_open = false;

    QVector<FieldDef> m_fields; // data fields first, then extra fields
    int m_dataFieldCount = 0;
    QVector<FieldDef> m_extraDefs;
    QVector<Extra> m_extras;
    QHash<QString, int> m_index; // lower-case name -> field

    std::vector<QVector<QVariant>> m_rows;
    std::vector<RowState> m_states;
    int m_deletedCount = 0;
    int m_current = -1;

    // Lookup caches per extra field: source key text -> source row; dropped
    // whenever the source dataset changes.
    mutable QHash<int, QHash<QString, int>> m_lookupCache;
};

} // namespace db
