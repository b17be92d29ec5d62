#pragma once

#include <QLabel>

namespace ui {

// The black band across the top of a screen with its caption in bold
// (" [ SPK Mandor - Entry ] "), white unless the screen asks for yellow.
class HeaderBand : public QLabel {
    Q_OBJECT
public:
    explicit HeaderBand(QWidget* parent = nullptr);

    // Shows " [ caption ] ".
    void setCaption(const QString& caption);
    static QString captionText(const QString& caption);
    void setTextColor(const QColor& color);
};

} // namespace ui
