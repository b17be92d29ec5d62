#pragma once

#include <QStyledItemDelegate>

namespace ui {

// Paints grid cells: own grid lines, merged equal values (text and the line between them
// left out), group rows with their sums, check boxes.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace ui
