#include "platform/ui/HeaderBand.h"

namespace ui {

HeaderBand::HeaderBand(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    setFixedHeight(33);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setTextColor(Qt::white);
}

QString HeaderBand::captionText(const QString& caption) {
    return QStringLiteral(" [ %1 ] ").arg(caption);
}

void HeaderBand::setCaption(const QString& caption) {
    setText(captionText(caption));
}

void HeaderBand::setTextColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

} // namespace ui
