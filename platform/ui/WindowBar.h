#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;
class QHBoxLayout;
class QToolButton;

namespace ui {

// The bar of open child windows: one button per child of an MDI area, captioned
// with the child's title, checked for the active child; a click brings that child
// to the front. Follows opens, closes, renames and activation.
class WindowBar : public QWidget {
    Q_OBJECT
public:
    explicit WindowBar(QMdiArea* area, QWidget* parent = nullptr);

    int buttonCount() const { return int(m_buttons.size()); }
    QStringList captions() const;
    QToolButton* buttonFor(QMdiSubWindow* window) const;
    // Re-reads the area's children (done automatically; public for callers that rename).
    void sync();

private:
    void watch(QMdiSubWindow* window);

    QMdiArea* m_area;
    QHBoxLayout* m_layout;
    QList<QPair<QPointer<QMdiSubWindow>, QToolButton*>> m_buttons;
};

} // namespace ui
