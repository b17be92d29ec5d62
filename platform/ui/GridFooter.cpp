#include "GridFooter.h"

#include "GridModel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

namespace ui {

GridFooter::GridFooter(QTableView* view, GridModel* model, QWidget* parent)
    : QWidget(parent), m_view(view), m_model(model) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(model, &GridModel::summariesChanged, this, qOverload<>(&QWidget::update));
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            qOverload<>(&QWidget::update));
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this,
            qOverload<>(&QWidget::update));
}

QSize GridFooter::sizeHint() const {
    return {100, fontMetrics().height() + 8};
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    const QHeaderView* header = m_view->horizontalHeader();
    const int origin = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    const int viewRight = origin + m_view->viewport()->width();
    p.setClipRect(QRect(origin, 0, viewRight - origin, height()));
    for (int c = 0; c < m_model->gridColumnCount(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        const QString text = m_model->footerText(c);
        if (text.isEmpty())
            continue;
        const QRect cell(origin + header->sectionViewportPosition(c), 0, header->sectionSize(c),
                         height());
        const QVariant align = m_model->columnCount() > 0 && m_model->rowCount() > 0
                                   ? m_model->data(m_model->index(0, c), Qt::TextAlignmentRole)
                                   : QVariant();
        int flags = align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
        // a caption with a count is longer than its column: let it run to the right
        QRect tr = cell.adjusted(3, 0, -3, 0);
        if (fontMetrics().horizontalAdvance(text) > tr.width() && !(flags & Qt::AlignRight))
            tr.setRight(viewRight);
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(tr, flags | Qt::AlignVCenter, text);
    }
    p.setClipping(false);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
}

} // namespace ui
