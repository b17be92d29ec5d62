#include "GridDelegate.h"

#include "GridModel.h"

#include <QPainter>

namespace ui {

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const QRect r = option.rect;
    const QPalette& pal = option.palette;
    const bool group = index.data(GridModel::IsGroupRole).toBool();
    const bool selected = option.state & QStyle::State_Selected;
    const QColor lineColor = pal.color(QPalette::Mid);

    if (group) {
        painter->fillRect(r, selected ? pal.highlight() : pal.button());
        const QString sum = index.data(Qt::DisplayRole).toString();
        if (!sum.isEmpty()) {
            QFont f = option.font;
            f.setBold(true);
            painter->save();
            painter->setFont(f);
            painter->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::ButtonText));
            painter->drawText(r.adjusted(3, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, sum);
            painter->restore();
        }
        painter->setPen(lineColor);
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        return;
    }

    const bool mergedAbove = index.data(GridModel::MergedAboveRole).toBool();
    const bool mergedBelow = index.data(GridModel::MergedBelowRole).toBool();
    if (index.data(GridModel::CheckBoxRole).toBool()) {
        QStyleOptionViewItem opt = option;
        opt.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, opt, index);
    } else {
        painter->fillRect(r, selected ? pal.highlight() : pal.base());
        if (!mergedAbove) {
            const QString text = index.data(Qt::DisplayRole).toString();
            if (!text.isEmpty()) {
                const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
                const QRect tr = r.adjusted(3, 0, -3, 0);
                painter->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
                painter->drawText(tr, static_cast<int>(align),
                                  option.fontMetrics.elidedText(text, Qt::ElideRight, tr.width()));
            }
        }
    }
    painter->setPen(lineColor);
    painter->drawLine(r.topRight(), r.bottomRight());
    if (!mergedBelow)
        painter->drawLine(r.bottomLeft(), r.bottomRight());
}

} // namespace ui
