#include "platform/ui/MdiFrame.h"

#include "platform/ui/KeyboardStatePanel.h"
#include "platform/ui/WindowBar.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace ui {

MdiFrame::MdiFrame(QWidget* parent) : QMainWindow(parent), m_area(new QMdiArea) {
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* centre = new QWidget;
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_area, 1);
    m_windowBar = new WindowBar(m_area, centre);
    layout->addWidget(m_windowBar);
    setCentralWidget(centre);
    menuBar()->setObjectName(QStringLiteral("mainMenu"));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
}

void MdiFrame::setStatusPanels(const QList<int>& widths, int keyboardPanel) {
    for (QLabel* p : m_panels) {
        statusBar()->removeWidget(p);
        delete p;
    }
    m_panels.clear();
    m_keyboard = nullptr;
    for (int i = 0; i < widths.size(); ++i) {
        QLabel* label = nullptr;
        if (i == keyboardPanel) {
            m_keyboard = new KeyboardStatePanel;
            label = m_keyboard;
        } else {
            label = new QLabel;
            label->setObjectName(QStringLiteral("panel%1").arg(i));
        }
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(widths.at(i));
        if (i > 0)
            label->setFixedWidth(widths.at(i));
        statusBar()->addWidget(label, i == 0 ? 1 : 0);
        m_panels.append(label);
    }
}

QLabel* MdiFrame::panel(int index) const {
    return m_panels.value(index, nullptr);
}

void MdiFrame::setPanelText(int index, const QString& text) {
    if (QLabel* p = panel(index); p && p != m_keyboard)
        p->setText(text);
}

QString MdiFrame::panelText(int index) const {
    QLabel* p = panel(index);
    return p ? p->text() : QString();
}

QMdiSubWindow* MdiFrame::addChild(QWidget* widget) {
    if (QMdiSubWindow* existing = subWindowOf(widget)) {
        activate(widget);
        return existing;
    }
    QMdiSubWindow* sub = m_area->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    widget->show();
    sub->show();
    m_area->setActiveSubWindow(sub);
    m_windowBar->sync();
    return sub;
}

QList<QWidget*> MdiFrame::childWindows() const {
    QList<QWidget*> list;
    for (QMdiSubWindow* sub : m_area->subWindowList(QMdiArea::CreationOrder))
        if (sub->widget())
            list << sub->widget();
    return list;
}

QWidget* MdiFrame::activeChild() const {
    QMdiSubWindow* sub = m_area->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

QMdiSubWindow* MdiFrame::subWindowOf(QWidget* widget) const {
    if (!widget)
        return nullptr;
    for (QMdiSubWindow* sub : m_area->subWindowList())
        if (sub->widget() == widget)
            return sub;
    return nullptr;
}

bool MdiFrame::activate(QWidget* widget) {
    QMdiSubWindow* sub = subWindowOf(widget);
    if (!sub)
        return false;
    if (sub->isMinimized())
        sub->showNormal();
    sub->show();
    m_area->setActiveSubWindow(sub);
    sub->raise();
    m_windowBar->sync();
    return true;
}

bool MdiFrame::closeAllChildren() {
    bool all = true;
    const QList<QMdiSubWindow*> subs = m_area->subWindowList(QMdiArea::CreationOrder);
    for (int i = int(subs.size()) - 1; i >= 0; --i)
        if (!subs[i]->close())
            all = false;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_windowBar->sync();
    return all;
}

} // namespace ui
