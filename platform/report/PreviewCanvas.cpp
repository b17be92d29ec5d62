#include "PreviewCanvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace report {

namespace {
constexpr int kGap = 12;
}

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PreviewCanvas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double PreviewCanvas::pxPerMm() const {
    return logicalDpiY() * m_zoom / 25.4;
}

void PreviewCanvas::setReport(const PreparedReport& report) {
    m_report = report;
    m_highlight = {};
    relayout();
}

void PreviewCanvas::setZoom(double zoom) {
    m_zoom = qBound(0.1, zoom, 4.0);
    relayout();
}

void PreviewCanvas::setHighlight(SearchHit hit) {
    m_highlight = hit;
    update();
}

void PreviewCanvas::relayout() {
    m_rects.clear();
    const double k = pxPerMm();
    int y = kGap;
    int width = 0;
    for (int i = 0; i < m_report.pageCount(); ++i) {
        const QSizeF mm = m_report.page(i).sizeMm;
        const QSize px(qRound(mm.width() * k), qRound(mm.height() * k));
        m_rects.emplace_back(QPoint(kGap, y), px);
        y += px.height() + kGap;
        width = qMax(width, px.width());
    }
    m_size = QSize(width + 2 * kGap, y);
    setFixedSize(m_size);
    update();
}

QSize PreviewCanvas::pageSizePx(double zoom) const {
    const QSizeF mm = m_report.pageSizeMm();
    const double k = logicalDpiY() * zoom / 25.4;
    return QSize(qRound(mm.width() * k), qRound(mm.height() * k));
}

QRect PreviewCanvas::pageRect(int index) const {
    return index >= 0 && index < int(m_rects.size()) ? m_rects[size_t(index)] : QRect();
}

int PreviewCanvas::pageAt(int y) const {
    for (int i = 0; i < int(m_rects.size()); ++i)
        if (y < m_rects[size_t(i)].bottom() + kGap)
            return i;
    return int(m_rects.size()) - 1;
}

QSize PreviewCanvas::sizeHint() const {
    return m_size;
}

void PreviewCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(128, 128, 128));
    m_paintedPages = 0;
    const double dpi = logicalDpiY() * m_zoom;
    for (int i = 0; i < int(m_rects.size()); ++i) {
        const QRect r = m_rects[size_t(i)];
        if (!r.adjusted(0, 0, 3, 3).intersects(event->rect()))
            continue;
        ++m_paintedPages;
        painter.fillRect(r.translated(3, 3), QColor(60, 60, 60));
        painter.fillRect(r, Qt::white);
        painter.save();
        painter.translate(r.topLeft());
        painter.setClipRect(
            QRect(QPoint(0, 0), r.size()).intersected(event->rect().translated(-r.topLeft())));
        m_report.paintPage(painter, i, dpi, m_zoom, m_highlight.page == i ? m_highlight.item : -1);
        painter.restore();
    }
}

} // namespace report
