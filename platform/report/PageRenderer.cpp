#include "PageRenderer.h"

#include <QPainter>

namespace report {

void PageRenderer::paint(QPainter& painter, const Page& page, double dpi, double fontScale,
                         int highlight) {
    const double k = dpi / 25.4;
    const auto px = [k](const QRectF& r) {
        return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF clip = painter.hasClipping() ? painter.clipBoundingRect() : QRectF();
    for (size_t i = 0; i < page.items.size(); ++i) {
        const PagePrimitive& p = page.items[i];
        switch (p.kind) {
        case PagePrimitive::Kind::Line: {
            QPen pen(p.color, qMax(p.penWidth * k, 0.5));
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            painter.drawLine(QLineF(p.line.p1() * k, p.line.p2() * k));
            break;
        }
        case PagePrimitive::Kind::Rect: {
            const QRectF r = px(p.rect);
            if (!clip.isEmpty() && !clip.intersects(r.adjusted(-2, -2, 2, 2)))
                break;
            painter.setPen(p.penWidth > 0 ? QPen(p.color, qMax(p.penWidth * k, 0.5))
                                          : QPen(Qt::NoPen));
            painter.setBrush(p.fill.isValid() ? QBrush(p.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(r);
            painter.setBrush(Qt::NoBrush);
            break;
        }
        case PagePrimitive::Kind::Image: {
            painter.drawImage(px(p.rect), p.image);
            break;
        }
        case PagePrimitive::Kind::Text: {
            const QRectF r = px(p.rect);
            if (p.rotation == 0 && !clip.isEmpty() && !clip.intersects(r))
                break;
            if (int(i) == highlight)
                painter.fillRect(r, QColor(255, 230, 0, 140));
            QFont f = p.font;
            if (fontScale != 1.0)
                f.setPointSizeF(f.pointSizeF() * fontScale);
            painter.setFont(f);
            painter.setPen(p.color);
            int flags = p.flags;
            if (!p.clip)
                flags |= Qt::TextDontClip;
            if (p.rotation != 0) {
                painter.save();
                painter.translate(r.center());
                painter.rotate(p.rotation);
                const QRectF local(-r.width() / 2, -r.height() / 2, r.width(), r.height());
                painter.drawText(local, flags, p.text);
                painter.restore();
            } else {
                painter.drawText(r, flags, p.text);
            }
            break;
        }
        }
    }
    painter.restore();
}

} // namespace report
