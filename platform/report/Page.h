#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

namespace report {

// One drawing primitive of a prepared page, in millimetres from the page's top left.
struct PagePrimitive {
    enum class Kind { Text, Line, Rect, Image };
    Kind kind = Kind::Text;
    QRectF rect;
    QLineF line;
    QString text; // already wrapped: lines separated by '\n'
    QFont font;
    int flags = 0; // Qt::Alignment
    QColor color = Qt::black;
    QColor fill;           // rect fill; invalid: none
    double penWidth = 0.2; // mm; 0: no outline
    double rotation = 0;   // degrees about the rect's centre (watermark)
    bool clip = false;
    QImage image;
};

// A prepared page: the display list the renderers draw.
struct Page {
    QSizeF sizeMm;
    std::vector<PagePrimitive> items;
};

// An entry of the outline: a group header's text and the page it starts on.
struct OutlineEntry {
    QString text;
    int page = 0;
    int level = 0;
};

} // namespace report
