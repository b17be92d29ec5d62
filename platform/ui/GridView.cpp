#include "GridView.h"

#include "GridModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace ui {

GridView::GridView(GridModel* model, QWidget* parent) : QTableView(parent), m_model(model) {
    setModel(model);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    // group captions run across the row from the first visible column up to the first sum
    const int first = rowAt(0);
    if (first < 0)
        return;
    const int last = rowAt(viewport()->height() - 1) < 0 ? m_model->rowCount() - 1
                                                         : rowAt(viewport()->height() - 1);
    QPainter p(viewport());
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    const QHeaderView* header = horizontalHeader();
    int firstColumn = -1;
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (!header->isSectionHidden(logical)) {
            firstColumn = logical;
            break;
        }
    }
    if (firstColumn < 0)
        return;
    for (int row = first; row <= last; ++row) {
        if (!m_model->isGroupRow(row))
            continue;
        const int level = m_model->index(row, 0).data(GridModel::GroupLevelRole).toInt();
        const int y = rowViewportPosition(row);
        const int left = columnViewportPosition(firstColumn) + 4 + level * 16;
        int right = viewport()->width();
        for (int c = 0; c < m_model->columnCount(); ++c)
            if (!header->isSectionHidden(c) && !m_model->groupSumText(row, c).isEmpty())
                right = std::min(
                    right, columnViewportPosition(c) + columnWidth(c) -
                               fontMetrics().horizontalAdvance(m_model->groupSumText(row, c)) - 8);
        const QString text = (m_model->isGroupExpanded(row) ? QStringLiteral("\u25BE ")
                                                            : QStringLiteral("\u25B8 ")) +
                             m_model->groupText(row);
        const QRect r(left, y, std::max(0, right - left), rowHeight(row));
        const bool selected = selectionModel() && selectionModel()->isRowSelected(row, {});
        p.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::ButtonText));
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(f).elidedText(text, Qt::ElideRight, r.width()));
    }
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const int row = currentIndex().row();
    if (m_model->isGroupRow(row) && state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Right:
            m_model->setGroupExpanded(row, true);
            return;
        case Qt::Key_Minus:
        case Qt::Key_Left:
            m_model->setGroupExpanded(row, false);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_model->setGroupExpanded(row, !m_model->isGroupExpanded(row));
            return;
        default:
            break;
        }
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != EditingState && row >= 0) {
        emit enterPressed(row);
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mousePressEvent(event);
    if (index.isValid() && m_model->isGroupRow(index.row()) && event->button() == Qt::LeftButton)
        m_model->setGroupExpanded(index.row(), !m_model->isGroupExpanded(index.row()));
}

} // namespace ui
