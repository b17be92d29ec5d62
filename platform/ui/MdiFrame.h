#pragma once

#include <QList>
#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace ui {

class KeyboardStatePanel;
class WindowBar;

// The multiple-document main window: a menu bar (filled by the application), an MDI
// area, the bar of open child windows above the status bar, and a status bar of text
// panels with fixed widths (the first also takes the width left over), one of which
// may show the keyboard state.
class MdiFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MdiFrame(QWidget* parent = nullptr);

    // Builds the status panels; keyboardPanel is the index of the keyboard-state panel
    // (-1 for none).
    void setStatusPanels(const QList<int>& widths, int keyboardPanel = -1);
    int panelCount() const { return int(m_panels.size()); }
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;
    QLabel* panel(int index) const;
    KeyboardStatePanel* keyboardPanel() const { return m_keyboard; }

    QMdiArea* mdiArea() const { return m_area; }
    WindowBar* windowBar() const { return m_windowBar; }

    // Adds a child window and shows it in front. Closing the child deletes its window.
    QMdiSubWindow* addChild(QWidget* widget);
    // The child widgets in the order they were opened.
    QList<QWidget*> childWindows() const;
    QWidget* activeChild() const;
    QMdiSubWindow* subWindowOf(QWidget* widget) const;
    // Brings the child to the front; false when it is not a child of this frame.
    bool activate(QWidget* widget);
    // Closes every child from the last opened to the first; false if one refused.
    bool closeAllChildren();

private:
    QMdiArea* m_area;
    WindowBar* m_windowBar;
    QList<QLabel*> m_panels;
    KeyboardStatePanel* m_keyboard = nullptr;
};

} // namespace ui
