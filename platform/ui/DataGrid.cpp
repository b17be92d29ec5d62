#include "DataGrid.h"

#include "GridColumnChooser.h"
#include "GridDelegate.h"
#include "GridFooter.h"
#include "GridHeader.h"
#include "GridModel.h"
#include "GridView.h"
#include "db/Dataset.h"

#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

namespace ui {

DataGrid::DataGrid(QWidget* parent) : QWidget(parent) {
    m_model = new GridModel(this);
    m_model->setObjectName(QStringLiteral("gridModel"));
    m_view = new GridView(m_model, this);
    m_view->setObjectName(QStringLiteral("gridView"));
    m_header = new GridHeader(m_view);
    m_header->setObjectName(QStringLiteral("gridHeader"));
    m_header->setGridModel(m_model);
    m_header->setBands(&m_bands);
    m_view->setHorizontalHeader(m_header);
    m_header->setSectionsMovable(false);
    m_view->setItemDelegate(new GridDelegate(m_view));
    m_footer = new GridFooter(m_view, m_model, this);
    m_footer->setObjectName(QStringLiteral("gridFooter"));
    m_footer->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);

    m_filterTimer.setSingleShot(true);
    m_filterTimer.setInterval(150);
    connect(&m_filterTimer, &QTimer::timeout, this, &DataGrid::flushFilter);
    connect(m_header, &GridHeader::filterEdited, this, [this](int column, const QString& text) {
        m_pendingFilters.insert(column, text);
        m_filterTimer.start();
    });
    connect(m_header, &QHeaderView::sectionClicked, this, &DataGrid::onHeaderClicked);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_header, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = createColumnChooserMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_header->mapToGlobal(pos));
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::restoreFocus);
    connect(m_model, &GridModel::editRejected, this, &DataGrid::editRejected);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentChanged(current); });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const int r = m_model->datasetRow(index.row());
        if (r >= 0)
            emit doubleClicked(r);
    });
    connect(m_view, &GridView::enterPressed, this, [this](int displayRow) {
        const int r = m_model->datasetRow(displayRow);
        if (r >= 0)
            emit enterPressed(r);
    });
}

DataGrid::~DataGrid() = default;

int DataGrid::addBand(const QString& caption, bool visible, bool offered) {
    m_bands.append(GridBand{caption, visible, offered});
    applyColumnVisibility();
    return m_bands.size() - 1;
}

int DataGrid::addColumn(const GridColumn& column) {
    const int index = m_model->addColumn(column);
    if (m_model->dataset()) {
        m_model->rebuildCaches();
        m_model->rebuild();
    }
    m_header->rebuildEditors();
    m_view->setColumnWidth(index, column.width);
    applyColumnVisibility();
    updateEditTriggers();
    return index;
}

void DataGrid::setDataset(db::Dataset* dataset) {
    if (m_model->dataset())
        disconnect(m_model->dataset(), nullptr, this, nullptr);
    m_focused = -1;
    m_model->setDataset(dataset);
    if (dataset) {
        connect(dataset, &db::Dataset::currentRowChanged, this, &DataGrid::onDatasetCurrentChanged);
        if (dataset->currentRow() >= 0)
            focusDatasetRow(dataset->currentRow());
    }
}

db::Dataset* DataGrid::dataset() const {
    return m_model->dataset();
}

void DataGrid::setGroupColumns(const QStringList& fieldNames) {
    QVector<int> columns;
    for (const QString& f : fieldNames) {
        const int c = m_model->columnIndex(f);
        if (c >= 0)
            columns.append(c);
    }
    m_model->setGroupColumns(columns);
    m_model->rebuild();
}

void DataGrid::setFilterRowVisible(bool visible) {
    m_header->setFilterRowVisible(visible);
    applyColumnVisibility();
}

bool DataGrid::isFilterRowVisible() const {
    return m_header->isFilterRowVisible();
}

void DataGrid::setFooterVisible(bool visible) {
    m_footer->setVisible(visible);
}

bool DataGrid::isFooterVisible() const {
    return !m_footer->isHidden();
}

int DataGrid::columnCount() const {
    return m_model->gridColumnCount();
}

const GridColumn& DataGrid::column(int index) const {
    return m_model->gridColumn(index);
}

int DataGrid::columnIndex(const QString& fieldName) const {
    return m_model->columnIndex(fieldName);
}

QStringList DataGrid::visibleColumns() const {
    QStringList out;
    for (int v = 0; v < m_header->count(); ++v) {
        const int logical = m_header->logicalIndex(v);
        if (!m_header->isSectionHidden(logical))
            out << m_model->gridColumn(logical).fieldName;
    }
    return out;
}

bool DataGrid::isColumnVisible(const QString& fieldName) const {
    const int c = columnIndex(fieldName);
    return c >= 0 && !m_header->isSectionHidden(c);
}

void DataGrid::setColumnVisible(const QString& fieldName, bool visible) {
    const int c = columnIndex(fieldName);
    if (c < 0)
        return;
    m_model->gridColumn(c).visible = visible;
    applyColumnVisibility();
}

void DataGrid::setBandVisible(int band, bool visible) {
    if (band < 0 || band >= m_bands.size())
        return;
    m_bands[band].visible = visible;
    applyColumnVisibility();
}

void DataGrid::setColumnWidth(const QString& fieldName, int width) {
    const int c = columnIndex(fieldName);
    if (c >= 0)
        m_view->setColumnWidth(c, width);
}

void DataGrid::applyColumnVisibility() {
    for (int c = 0; c < m_model->gridColumnCount(); ++c) {
        const GridColumn& col = m_model->gridColumn(c);
        const bool bandShown =
            col.band < 0 || col.band >= m_bands.size() || m_bands[col.band].visible;
        m_view->setColumnHidden(c, !(col.visible && bandShown));
    }
    m_header->updateGeometry();
    m_view->updateGeometry();
    // the band row may have appeared or gone: let the view re-lay its header out
    QMetaObject::invokeMethod(m_view, "updateGeometries");
    m_header->layoutEditors();
    m_header->viewport()->update();
    m_footer->update();
}

void DataGrid::updateEditTriggers() {
    bool editable = false;
    for (int c = 0; c < m_model->gridColumnCount(); ++c)
        editable =
            editable || (m_model->gridColumn(c).editable && !m_model->gridColumn(c).checkBox);
    m_view->setEditTriggers(
        editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                 : QAbstractItemView::NoEditTriggers);
}

int DataGrid::rowCountVisible() const {
    return m_model->dataRowCount();
}

int DataGrid::displayRowCount() const {
    return m_model->rowCount();
}

bool DataGrid::isGroupRow(int visualRow) const {
    return m_model->isGroupRow(visualRow);
}

int DataGrid::datasetRowAt(int visualRow) const {
    return m_model->datasetRow(visualRow);
}

int DataGrid::visualRowOf(int datasetRow) const {
    return m_model->displayRowOf(datasetRow);
}

QString DataGrid::displayText(int visualRow, const QString& fieldName) const {
    const int c = columnIndex(fieldName);
    if (c < 0)
        return {};
    if (m_model->isGroupRow(visualRow))
        return m_model->groupSumText(visualRow, c);
    const int r = m_model->datasetRow(visualRow);
    if (r < 0)
        return {};
    if (m_model->gridColumn(c).checkBox)
        return m_model->data(m_model->index(visualRow, c), Qt::CheckStateRole).toInt() ==
                       Qt::Checked
                   ? QStringLiteral("1")
                   : QStringLiteral("0");
    return m_model->cellText(r, c);
}

QString DataGrid::groupRowText(int visualRow) const {
    return m_model->groupText(visualRow);
}

QString DataGrid::groupSumText(int visualRow, const QString& fieldName) const {
    return m_model->groupSumText(visualRow, columnIndex(fieldName));
}

void DataGrid::setGroupExpanded(int visualRow, bool expanded) {
    m_model->setGroupExpanded(visualRow, expanded);
}

QString DataGrid::footerText(const QString& fieldName) const {
    return m_model->footerText(columnIndex(fieldName));
}

QVariant DataGrid::footerValue(const QString& fieldName) const {
    const int c = columnIndex(fieldName);
    if (c < 0)
        return {};
    switch (m_model->gridColumn(c).footer) {
    case GridSummary::Sum:
        return QVariant::fromValue(m_model->footerSum(c));
    case GridSummary::Count:
        return m_model->dataRowCount();
    case GridSummary::None:
        break;
    }
    return {};
}

void DataGrid::setFilterText(const QString& fieldName, const QString& text) {
    const int c = columnIndex(fieldName);
    if (c < 0)
        return;
    if (QLineEdit* e = m_header->filterEditor(c))
        e->setText(text);
    m_pendingFilters.insert(c, text);
    flushFilter();
}

QString DataGrid::filterText(const QString& fieldName) const {
    const int c = columnIndex(fieldName);
    return m_pendingFilters.contains(c) ? m_pendingFilters.value(c) : m_model->filterText(c);
}

void DataGrid::clearFilters() {
    for (int c = 0; c < m_model->gridColumnCount(); ++c) {
        if (QLineEdit* e = m_header->filterEditor(c))
            e->clear();
        m_model->setFilterText(c, QString());
    }
    m_pendingFilters.clear();
    m_model->rebuild();
}

void DataGrid::flushFilter() {
    m_filterTimer.stop();
    if (m_pendingFilters.isEmpty())
        return;
    bool changed = false;
    for (auto it = m_pendingFilters.constBegin(); it != m_pendingFilters.constEnd(); ++it) {
        if (m_model->filterText(it.key()) != it.value().trimmed()) {
            m_model->setFilterText(it.key(), it.value().trimmed());
            changed = true;
        }
    }
    m_pendingFilters.clear();
    if (changed)
        m_model->rebuild();
}

void DataGrid::sortBy(const QString& fieldName, Qt::SortOrder order) {
    const int c = columnIndex(fieldName);
    if (c < 0)
        return;
    m_model->setSortColumn(c, order);
    m_header->setSortIndicator(c, order);
    m_model->rebuild();
}

void DataGrid::clearSort() {
    m_model->setSortColumn(-1, Qt::AscendingOrder);
    m_header->setSortIndicator(-1, Qt::AscendingOrder);
    m_model->rebuild();
}

void DataGrid::onHeaderClicked(int section) {
    const Qt::SortOrder order =
        m_model->sortColumn() == section && m_model->sortOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
    m_model->setSortColumn(section, order);
    m_header->setSortIndicator(section, order);
    m_model->rebuild();
}

void DataGrid::focusDatasetRow(int datasetRow) {
    const int display = m_model->displayRowOf(datasetRow);
    if (display < 0)
        return;
    const QModelIndex cur = m_view->currentIndex();
    int column = cur.isValid() && !m_view->isColumnHidden(cur.column()) ? cur.column() : -1;
    if (column < 0)
        for (int c = 0; c < m_model->columnCount() && column < 0; ++c)
            if (!m_view->isColumnHidden(c))
                column = c;
    if (column < 0)
        column = 0;
    const QModelIndex index = m_model->index(display, column);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
}

int DataGrid::focusedDatasetRow() const {
    return m_focused;
}

void DataGrid::onCurrentChanged(const QModelIndex& current) {
    const int r = m_model->datasetRow(current.row());
    if (r < 0 || r == m_focused)
        return;
    m_focused = r;
    m_wanted = -1;
    if (auto* ds = m_model->dataset()) {
        m_syncing = true;
        ds->setCurrentRow(r);
        m_syncing = false;
    }
    emit focusedRowChanged(r);
}

void DataGrid::onDatasetCurrentChanged(int row) {
    if (m_syncing)
        return;
    focusDatasetRow(row);
}

void DataGrid::restoreFocus() {
    const int target = m_focused >= 0 ? m_focused : m_wanted;
    int display = m_model->displayRowOf(target);
    if (display < 0)
        for (int i = 0; i < m_model->rowCount() && display < 0; ++i)
            if (!m_model->isGroupRow(i))
                display = i;
    if (display < 0) {
        // nothing to focus: remember the row for when it comes back
        if (m_focused >= 0)
            m_wanted = m_focused;
        if (m_focused != -1) {
            m_focused = -1;
            emit focusedRowChanged(-1);
        }
        return;
    }
    const int r = m_model->datasetRow(display);
    if (r == m_focused) {
        // same dataset row, new display position: move the view without signals
        m_syncing = true;
        focusDatasetRow(r);
        m_syncing = false;
        return;
    }
    m_focused = -1;
    focusDatasetRow(r);
}

QMenu* DataGrid::createColumnChooserMenu(QWidget* parent) {
    return GridColumnChooser::createMenu(this, parent ? parent : this);
}

QTableView* DataGrid::view() const {
    return m_view;
}

} // namespace ui
