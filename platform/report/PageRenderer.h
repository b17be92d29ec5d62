#pragma once

#include "Page.h"

class QPainter;

namespace report {

// Paints a prepared page. dpi is the resolution of the painter's device
// coordinates; fontScale enlarges fonts when the device's own font resolution
// differs from dpi (a zoomed preview on a screen).
class PageRenderer {
public:
    static void paint(QPainter& painter, const Page& page, double dpi, double fontScale = 1.0,
                      int highlight = -1);
};

} // namespace report
