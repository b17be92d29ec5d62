#pragma once

#include "PreparedReport.h"

#include <QWidget>

namespace report {

// The pages of a prepared report one below the other, painting only the pages
// that intersect the exposed area.
class PreviewCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PreviewCanvas(QWidget* parent = nullptr);

    void setReport(const PreparedReport& report);
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    void setHighlight(SearchHit hit);
    QRect pageRect(int index) const; // in canvas coordinates
    int pageAt(int y) const;
    QSize pageSizePx(double zoom) const;                // the largest page at a zoom
    int paintedPages() const { return m_paintedPages; } // pages drawn by the last paint

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double pxPerMm() const;
    void relayout();

    PreparedReport m_report;
    double m_zoom = 1.0;
    SearchHit m_highlight;
    std::vector<QRect> m_rects;
    QSize m_size;
    int m_paintedPages = 0;
};

} // namespace report
