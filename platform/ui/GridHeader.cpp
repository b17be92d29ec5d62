#include "GridHeader.h"

#include "GridModel.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace ui {

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(true);
    setSortIndicator(-1, Qt::AscendingOrder);
    setDefaultAlignment(Qt::AlignCenter);
}

bool GridHeader::hasVisibleBands() const {
    if (!m_bands || !m_model)
        return false;
    for (int c = 0; c < m_model->gridColumnCount(); ++c) {
        const int b = m_model->gridColumn(c).band;
        if (b >= 0 && b < m_bands->size() && !isSectionHidden(c))
            return true;
    }
    return false;
}

int GridHeader::captionHeight() const {
    return fontMetrics().height() + 8;
}

int GridHeader::bandHeight() const {
    return hasVisibleBands() ? captionHeight() : 0;
}

int GridHeader::filterHeight() const {
    if (!m_filterVisible)
        return 0;
    return m_editors.isEmpty() ? QLineEdit().sizeHint().height()
                               : m_editors.first()->sizeHint().height();
}

QSize GridHeader::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setHeight(bandHeight() + captionHeight() + filterHeight());
    return s;
}

void GridHeader::setFilterRowVisible(bool visible) {
    m_filterVisible = visible;
    rebuildEditors();
    updateGeometry();
    if (parentWidget())
        parentWidget()->updateGeometry();
}

void GridHeader::rebuildEditors() {
    const int columns = m_model ? m_model->gridColumnCount() : 0;
    if (!m_filterVisible) {
        qDeleteAll(m_editors);
        m_editors.clear();
        return;
    }
    while (m_editors.size() > columns)
        delete m_editors.takeLast();
    while (m_editors.size() < columns) {
        const int column = m_editors.size();
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("filter_") + m_model->gridColumn(column).fieldName);
        edit->setClearButtonEnabled(false);
        edit->setFrame(true);
        connect(edit, &QLineEdit::textEdited, this,
                [this, column](const QString& text) { emit filterEdited(column, text); });
        m_editors.append(edit);
    }
    layoutEditors();
}

void GridHeader::layoutEditors() {
    const int y = bandHeight() + captionHeight();
    const int h = filterHeight();
    for (int c = 0; c < m_editors.size(); ++c) {
        QLineEdit* e = m_editors[c];
        if (isSectionHidden(c)) {
            e->hide();
            continue;
        }
        e->setGeometry(sectionViewportPosition(c) + viewport()->x(), y, sectionSize(c), h);
        e->show();
    }
}

void GridHeader::updateGeometries() {
    QHeaderView::updateGeometries();
    layoutEditors();
}

void GridHeader::scrollContentsBy(int dx, int dy) {
    QHeaderView::scrollContentsBy(dx, dy);
    layoutEditors();
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const QRect caption(rect.left(), bandHeight(), rect.width(), captionHeight());
    QHeaderView::paintSection(painter, caption, logicalIndex);
}

void GridHeader::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    if (!hasVisibleBands())
        return;
    QPainter p(viewport());
    const int h = bandHeight();
    int c = 0;
    const int n = m_model->gridColumnCount();
    while (c < n) {
        const int band = m_model->gridColumn(c).band;
        if (band < 0 || band >= m_bands->size() || isSectionHidden(c)) {
            ++c;
            continue;
        }
        int left = sectionViewportPosition(c);
        int right = left + sectionSize(c);
        int next = c + 1;
        for (; next < n && m_model->gridColumn(next).band == band; ++next)
            if (!isSectionHidden(next))
                right = sectionViewportPosition(next) + sectionSize(next);
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = QRect(left, 0, right - left, h);
        opt.text = m_bands->at(band).caption;
        opt.textAlignment = Qt::AlignCenter;
        opt.section = c;
        opt.position = QStyleOptionHeader::Middle;
        style()->drawControl(QStyle::CE_Header, &opt, &p, this);
        c = next;
    }
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    // the band row is not a column: no sorting or resizing from there
    m_pressInBand = event->position().y() < bandHeight();
    if (!m_pressInBand)
        QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pressInBand)
        QHeaderView::mouseReleaseEvent(event);
    m_pressInBand = false;
}

} // namespace ui
