#pragma once

#include <QWidget>

namespace ui {
class HeaderBand;
}

// Base of the register screens that open as child windows of the main window:
// a black header band with the module caption, a client area for the screen
// and a footer band for its buttons. Enter moves to the next control, Escape
// closes the window; the window frees itself when closed.
class TFmTemplateModule : public QWidget {
    Q_OBJECT
public:
    // Takes the caption from SessionContext.ModuleCaption.
    explicit TFmTemplateModule(QWidget* parent = nullptr);
    // Sets SessionContext.ModuleCaption to `caption` first.
    explicit TFmTemplateModule(const QString& caption, QWidget* parent = nullptr);

    ui::HeaderBand* pHeader;
    QWidget* pClient; // the derived screen's area
    QWidget* pFooter; // the derived screen's buttons

    static constexpr int HeaderHeight = 33;
    static constexpr int FooterHeight = 34;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void FormCreate();
    void FormKeyPress(QKeyEvent* event);
    // Closes the window, or the child window frame around it.
    void closeScreen();

private:
    void buildFrame();
};
