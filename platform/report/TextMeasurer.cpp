#include "TextMeasurer.h"

namespace report {

namespace {
constexpr double kDpi = 600.0;
}

TextMeasurer::TextMeasurer() : m_device(1, 1, QImage::Format_ARGB32), m_pxToMm(25.4 / kDpi) {
    const int dpm = qRound(kDpi / 0.0254);
    m_device.setDotsPerMeterX(dpm);
    m_device.setDotsPerMeterY(dpm);
    m_pxToMm = 25.4 / (dpm * 0.0254);
}

const QFontMetricsF& TextMeasurer::metrics(const QFont& font) {
    for (const auto& entry : m_cache)
        if (entry.first == font)
            return entry.second;
    m_cache.emplace_back(font, QFontMetricsF(font, &m_device));
    return m_cache.back().second;
}

double TextMeasurer::lineHeightMm(const QFont& font) {
    return metrics(font).lineSpacing() * m_pxToMm;
}

double TextMeasurer::widthMm(const QFont& font, const QString& text) {
    return metrics(font).horizontalAdvance(text) * m_pxToMm;
}

QStringList TextMeasurer::wrap(const QFont& font, const QString& text, double widthMm) {
    const QFontMetricsF& fm = metrics(font);
    const double width = widthMm / m_pxToMm;
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        if (fm.horizontalAdvance(paragraph) <= width) {
            lines << paragraph;
            continue;
        }
        QString line;
        const QStringList words = paragraph.split(u' ');
        for (const QString& word : words) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (fm.horizontalAdvance(candidate) <= width) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty())
                lines << line;
            line = word;
            // A word wider than the cell is cut between characters.
            while (fm.horizontalAdvance(line) > width && line.size() > 1) {
                int n = int(line.size()) - 1;
                while (n > 1 && fm.horizontalAdvance(line.left(n)) > width)
                    --n;
                lines << line.left(n);
                line = line.mid(n);
            }
        }
        lines << line;
    }
    return lines;
}

} // namespace report
