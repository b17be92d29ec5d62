#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QStringList>
#include <deque>

namespace report {

// Measures and wraps text in millimetres at a fixed resolution, so the same
// template and data give the same pages on every device.
class TextMeasurer {
public:
    TextMeasurer();
    double lineHeightMm(const QFont& font);
    double widthMm(const QFont& font, const QString& text);
    // Greedy word wrap; words longer than the width are broken between characters.
    QStringList wrap(const QFont& font, const QString& text, double widthMm);

private:
    const QFontMetricsF& metrics(const QFont& font);
    QImage m_device;
    std::deque<std::pair<QFont, QFontMetricsF>> m_cache; // stable references
    double m_pxToMm;
};

} // namespace report
