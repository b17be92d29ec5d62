#include "platform/ui/LookupModel.h"

#include "db/Dataset.h"

namespace ui {

LookupModel::LookupModel(QObject* parent) : QAbstractTableModel(parent) {}

void LookupModel::setDataset(db::Dataset* dataset) {
    if (m_dataset == dataset)
        return;
    beginResetModel();
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (m_dataset) {
        connect(m_dataset, &db::Dataset::rowsReset, this, &LookupModel::reset);
        connect(m_dataset, &db::Dataset::rowInserted, this, &LookupModel::reset);
        connect(m_dataset, &db::Dataset::rowRemoved, this, &LookupModel::reset);
        connect(m_dataset, &db::Dataset::valueChanged, this, [this](int row, int) {
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        });
        connect(m_dataset, &QObject::destroyed, this, &LookupModel::reset);
    }
    endResetModel();
}

void LookupModel::setFields(const QString& keyField, const QString& displayField,
                            const QList<Column>& listColumns) {
    beginResetModel();
    m_keyField = keyField;
    m_displayField = displayField;
    m_columns = listColumns;
    endResetModel();
}

void LookupModel::reset() {
    beginResetModel();
    endResetModel();
}

QString LookupModel::fieldOfColumn(int column) const {
    if (column >= 0 && column < listColumnCount())
        return m_columns.at(column).field;
    if (column == displayColumn())
        return m_displayField;
    if (column == keyColumn())
        return m_keyField;
    return {};
}

int LookupModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_dataset)
        return 0;
    return m_dataset->rowCount();
}

int LookupModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : listColumnCount() + 2;
}

QVariant LookupModel::data(const QModelIndex& index, int role) const {
    if (!m_dataset || !index.isValid() || index.row() >= m_dataset->rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const int field = m_dataset->fieldIndex(fieldOfColumn(index.column()));
    if (field < 0)
        return {};
    return db::Dataset::toString(m_dataset->value(index.row(), field));
}

QVariant LookupModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section < listColumnCount())
        return m_columns.at(section).caption;
    return fieldOfColumn(section);
}

QVariant LookupModel::keyAt(int row) const {
    if (!m_dataset || row < 0 || row >= m_dataset->rowCount())
        return {};
    const int field = m_dataset->fieldIndex(m_keyField);
    return field < 0 ? QVariant() : m_dataset->value(row, field);
}

QString LookupModel::displayAt(int row) const {
    return data(index(row, displayColumn())).toString();
}

int LookupModel::rowOfKey(const QVariant& key) const {
    if (!m_dataset || key.isNull())
        return -1;
    const int field = m_dataset->fieldIndex(m_keyField);
    if (field < 0)
        return -1;
    const QString wanted = db::Dataset::toString(key);
    for (int r = 0; r < m_dataset->rowCount(); ++r)
        if (db::Dataset::toString(m_dataset->value(r, field)) == wanted)
            return r;
    return -1;
}

int LookupModel::rowOfText(const QString& text) const {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return -1;
    for (int r = 0; r < rowCount(); ++r)
        if (displayAt(r).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return r;
    return -1;
}

} // namespace ui
