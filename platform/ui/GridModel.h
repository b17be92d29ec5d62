#pragma once

#include "GridColumn.h"
#include "GridColumnCache.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QSet>
#include <QVector>
#include <vector>

namespace db {
class Dataset;
}

namespace ui {

// The grid's model: a flat display list of data rows and group rows over a dataset,
// rebuilt inside one model reset after a filter, sort or grouping change. Column values
// are held by GridColumnCache; filter, sort, grouping and sums work on integer codes.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        DatasetRowRole = Qt::UserRole + 1, // int, -1 on group rows
        IsGroupRole,                       // bool
        GroupLevelRole,                    // int
        MergedAboveRole,                   // bool: same value as the row above, not drawn
        MergedBelowRole,                   // bool: same value as the row below
        CheckBoxRole,                      // bool: the column shows check boxes
    };

    explicit GridModel(QObject* parent = nullptr);

    int addColumn(const GridColumn& column);
    int columnIndex(const QString& fieldName) const; // case-insensitive, -1 when absent
    const GridColumn& gridColumn(int column) const { return m_columns.at(column); }
    GridColumn& gridColumn(int column) { return m_columns[column]; }
    int gridColumnCount() const { return m_columns.size(); }

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const { return m_dataset; }

    // Conditions and order; each takes effect with the next rebuild().
    void setFilterText(int column, const QString& text);
    QString filterText(int column) const { return m_filters.value(column); }
    void setSortColumn(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setGroupColumns(const QVector<int>& columns); // at most two
    const QVector<int>& groupColumns() const { return m_groupColumns; }

    void rebuildCaches(); // after the dataset's rows or the column set changed
    void rebuild();       // filter, sort, group and sum in one model reset

    // Display list
    bool isGroupRow(int displayRow) const;
    int datasetRow(int displayRow) const;   // -1 for group rows and out of range
    int displayRowOf(int datasetRow) const; // -1 when filtered out or collapsed
    int dataRowCount() const { return m_filteredCount; }
    QString groupText(int displayRow) const;
    QString groupSumText(int displayRow, int column) const;
    bool isGroupExpanded(int displayRow) const;
    void setGroupExpanded(int displayRow, bool expanded);

    QString footerText(int column) const;
    db::Decimal footerSum(int column) const;
    QString cellText(int datasetRow, int column) const;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void summariesChanged();
    void editRejected(const QString& message);
    void rebuilt();

private:
    struct DisplayRow {
        int datasetRow; // -1 for a group row
        int group;      // index into m_groups (the innermost group of a data row)
    };
    struct Group {
        int level = 0;
        int column = -1;
        int code = 0;
        int parent = -1;
        bool expanded = true;
        int count = 0;
        std::vector<db::Decimal::Raw> sums; // per model column
    };

    void onValueChanged(int row, int field);
    void onRowInserted(int row);
    void onRowRemoved(int row);
    void recomputeSums();
    QString formatSum(int column, db::Decimal::Raw sum) const;
    db::Decimal::Raw numberAt(int column, int datasetRow) const;
    bool sameAsNeighbour(int displayRow, int column, int step) const;
    QString groupKey(int group) const; // the group's values from the outermost level

    QVector<GridColumn> m_columns;
    std::vector<GridColumnCache> m_caches;
    QPointer<db::Dataset> m_dataset;
    QList<QMetaObject::Connection> m_connections;

    QHash<int, QString> m_filters;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QVector<int> m_groupColumns;
    QSet<QString> m_collapsed;

    std::vector<int> m_filtered; // dataset rows in display order
    int m_filteredCount = 0;
    std::vector<DisplayRow> m_rows;
    std::vector<int> m_displayOf; // dataset row -> display row
    std::vector<Group> m_groups;
    std::vector<db::Decimal::Raw> m_footerSums;
};

} // namespace ui
