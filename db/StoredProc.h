#pragma once

#include "Connection.h"
#include "FieldDef.h"
#include "Hasil.h"

#include <QObject>
#include <QVariant>
#include <QVector>

namespace db {

class Dataset;

enum class ParamDirection { Input, Output, InputOutput };

// A call of a server function in the manner of a stored procedure: parameters in
// their declared order, inputs passed as arguments, outputs read back by name from
// the returned row. The integer return value of the original procedures is not
// modelled: nobody reads it.
class StoredProc : public QObject {
    Q_OBJECT
public:
    StoredProc(Connection* connection, const QString& procedureName, QObject* parent = nullptr);

    StoredProc& declare(const QString& name, FieldType type,
                        ParamDirection direction = ParamDirection::Input, int size = 0);
    void setParam(const QString& name, const QVariant& value); // throws for an undeclared name
    QVariant param(const QString& name) const;
    void clearValues();

    const QString& procedureName() const { return m_name; }
    QString sqlText() const; // SELECT * FROM name(:a, :b, ...)

    void execute();               // fills the output parameters; throws DbError
    void open(Dataset& into);     // opens the returned rows into a dataset
    Hasil hasil() const { return Hasil(param(QStringLiteral("Hasil")).toString()); }

private:
    struct Param {
        QString name;
        FieldType type;
        ParamDirection direction;
        int size;
        QVariant value;
    };
    int indexOf(const QString& name) const;
    ParamList inputs() const;

    Connection* m_connection;
    QString m_name;
    QVector<Param> m_params;
};

} // namespace db
