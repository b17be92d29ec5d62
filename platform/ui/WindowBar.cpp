#include "platform/ui/WindowBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QToolButton>

namespace ui {

WindowBar::WindowBar(QMdiArea* area, QWidget* parent)
    : QWidget(parent), m_area(area), m_layout(new QHBoxLayout(this)) {
    setObjectName(QStringLiteral("windowBar"));
    m_layout->setContentsMargins(2, 1, 2, 1);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { sync(); });
    sync();
}

QStringList WindowBar::captions() const {
    QStringList list;
    for (const auto& [window, button] : m_buttons)
        list << button->text();
    return list;
}

QToolButton* WindowBar::buttonFor(QMdiSubWindow* window) const {
    for (const auto& [w, button] : m_buttons)
        if (w == window)
            return button;
    return nullptr;
}

void WindowBar::watch(QMdiSubWindow* window) {
    if (window->property("skmWindowBarWatched").toBool())
        return;
    window->setProperty("skmWindowBarWatched", true);
    // Deferred: the window is half destroyed when this fires.
    connect(window, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, &WindowBar::sync); });
    connect(window, &QWidget::windowTitleChanged, this, [this] { sync(); });
    if (QWidget* inner = window->widget())
        connect(inner, &QWidget::windowTitleChanged, this, [this] { sync(); });
}

void WindowBar::sync() {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : m_area->subWindowList(QMdiArea::CreationOrder))
        if (!w->isHidden() || w->isMinimized())
            windows << w;
    // Drop buttons of windows that are gone.
    for (int i = int(m_buttons.size()) - 1; i >= 0; --i) {
        if (!m_buttons[i].first || !windows.contains(m_buttons[i].first.data())) {
            m_buttons[i].second->deleteLater();
            m_layout->removeWidget(m_buttons[i].second);
            m_buttons.removeAt(i);
        }
    }
    for (QMdiSubWindow* w : windows) {
        watch(w);
        QToolButton* button = buttonFor(w);
        if (!button) {
            button = new QToolButton(this);
            button->setCheckable(true);
            button->setAutoRaise(true);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setFocusPolicy(Qt::NoFocus);
            QPointer<QMdiSubWindow> target = w;
            connect(button, &QToolButton::clicked, this, [this, target] {
                if (!target)
                    return;
                if (target->isMinimized())
                    target->showNormal();
                target->show();
                m_area->setActiveSubWindow(target);
                target->raise();
                sync();
            });
            m_layout->insertWidget(m_layout->count() - 1, button);
            m_buttons.append({w, button});
        }
        const QString title = w->widget() ? w->widget()->windowTitle() : w->windowTitle();
        button->setText(title.isEmpty() ? w->windowTitle() : title);
        button->setChecked(w == m_area->activeSubWindow());
    }
}

} // namespace ui
