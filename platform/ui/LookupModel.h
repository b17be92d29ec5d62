#pragma once

#include "db/Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

namespace ui {

// Table model over a dataset for a lookup box: the list columns the box shows,
// followed by the display field and the key field (hidden in the drop-down).
class LookupModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString caption;
        int width = 0;
    };

    explicit LookupModel(QObject* parent = nullptr);

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const { return m_dataset; }
    void setFields(const QString& keyField, const QString& displayField,
                   const QList<Column>& listColumns);

    int listColumnCount() const { return int(m_columns.size()); }
    int displayColumn() const { return listColumnCount(); }
    int keyColumn() const { return listColumnCount() + 1; }
    const QList<Column>& listColumns() const { return m_columns; }

    // Row of the key (compared as text), or -1.
    int rowOfKey(const QVariant& key) const;
    // Row whose display text equals text (case-insensitive), or -1.
    int rowOfText(const QString& text) const;
    QVariant keyAt(int row) const;
    QString displayAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString fieldOfColumn(int column) const;
    void reset();

    QPointer<db::Dataset> m_dataset;
    QString m_keyField;
    QString m_displayField;
    QList<Column> m_columns;
};

} // namespace ui
