#pragma once

#include "GridColumn.h"

#include <QStringList>
#include <QTimer>
#include <QVector>
#include <QWidget>

class QMenu;
class QTableView;

namespace db {
class Dataset;
}

namespace ui {

class GridFooter;
class GridHeader;
class GridModel;
class GridView;

// The data grid every register and dialog uses: columns bound to dataset fields, bands,
// grouping by one or two columns with sums, a filter row, a footer, merged equal cells,
// display formats, a column chooser, check-box and editable columns. The focused row
// follows and moves the dataset's current row.
//
// Inner widgets: "gridView" (the table), its header, filter editors "filter_<Field>",
// "gridFooter".
class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // Set-up
    int addBand(const QString& caption, bool visible = true, bool offered = true);
    int addColumn(const GridColumn& column);
    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const;
    void setGroupColumns(const QStringList& fieldNames); // at most two
    void setFilterRowVisible(bool visible);
    bool isFilterRowVisible() const;
    void setFooterVisible(bool visible);
    bool isFooterVisible() const;
    void setFilterDelay(int ms) { m_filterTimer.setInterval(ms); }

    // Columns and bands
    int columnCount() const;
    const GridColumn& column(int index) const;
    int columnIndex(const QString& fieldName) const;
    int bandCount() const { return m_bands.size(); }
    const GridBand& band(int index) const { return m_bands.at(index); }
    QStringList visibleColumns() const;                   // field names in display order
    bool isColumnVisible(const QString& fieldName) const; // shown, its band shown too
    void setColumnVisible(const QString& fieldName, bool visible);
    void setBandVisible(int band, bool visible);
    void setColumnWidth(const QString& fieldName, int width);

    // Rows
    int rowCountVisible() const; // data rows after the filter
    int displayRowCount() const; // data and group rows shown
    bool isGroupRow(int visualRow) const;
    int datasetRowAt(int visualRow) const;
    int visualRowOf(int datasetRow) const;
    QString displayText(int visualRow, const QString& fieldName) const;
    QString groupRowText(int visualRow) const;
    QString groupSumText(int visualRow, const QString& fieldName) const;
    void setGroupExpanded(int visualRow, bool expanded);
    QString footerText(const QString& fieldName) const;
    QVariant footerValue(const QString& fieldName) const; // sum as db::Decimal, count as int

    // Filtering and sorting
    void setFilterText(const QString& fieldName, const QString& text); // as typed, applied now
    QString filterText(const QString& fieldName) const;
    void clearFilters();
    void flushFilter(); // applies a pending typed filter at once
    void sortBy(const QString& fieldName, Qt::SortOrder order);
    void clearSort();

    // Focus
    void focusDatasetRow(int datasetRow);
    int focusedDatasetRow() const;

    QMenu* createColumnChooserMenu(QWidget* parent = nullptr);
    QTableView* view() const;
    GridHeader* header() const { return m_header; }
    GridModel* model() const { return m_model; }

signals:
    void focusedRowChanged(int datasetRow);
    void doubleClicked(int datasetRow);
    void enterPressed(int datasetRow);
    void editRejected(const QString& message);

private:
    void applyColumnVisibility();
    void onHeaderClicked(int section);
    void onCurrentChanged(const QModelIndex& current);
    void onDatasetCurrentChanged(int row);
    void restoreFocus();
    void updateEditTriggers();

    GridModel* m_model;
    GridView* m_view;
    GridHeader* m_header;
    GridFooter* m_footer;
    QVector<GridBand> m_bands;
    QTimer m_filterTimer;
    QHash<int, QString> m_pendingFilters;
    int m_focused = -1;
    int m_wanted = -1; // focused row to restore once it is shown again
    bool m_syncing = false;
};

} // namespace ui
