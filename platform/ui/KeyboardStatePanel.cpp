#include "platform/ui/KeyboardStatePanel.h"

#include <QApplication>
#include <QKeyEvent>

namespace ui {

KeyboardStatePanel::KeyboardStatePanel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("keyboardState"));
    qApp->installEventFilter(this);
    refresh();
}

KeyboardStatePanel::~KeyboardStatePanel() {
    if (qApp)
        qApp->removeEventFilter(this);
}

QString KeyboardStatePanel::stateText(bool caps, bool num, bool scroll, bool insert) {
    QStringList parts;
    if (caps)
        parts << QStringLiteral("CAPS");
    if (num)
        parts << QStringLiteral("NUM");
    if (scroll)
        parts << QStringLiteral("SCRL");
    parts << (insert ? QStringLiteral("INS") : QStringLiteral("OVR"));
    return parts.join(QLatin1Char(' '));
}

void KeyboardStatePanel::setStates(bool caps, bool num, bool scroll, bool insert) {
    m_caps = caps;
    m_num = num;
    m_scroll = scroll;
    m_insert = insert;
    refresh();
}

void KeyboardStatePanel::refresh() {
    setText(stateText(m_caps, m_num, m_scroll, m_insert));
}

bool KeyboardStatePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // A key event travels window -> focus widget -> parents: count it once, at the
        // focus widget (or at the window when nothing has the focus).
        QWidget* focus = QApplication::focusWidget();
        const bool seen =
            focus ? watched != focus
                  : !(watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow());
        if (!seen && !key->isAutoRepeat()) {
            switch (key->key()) {
            case Qt::Key_CapsLock:
                m_caps = !m_caps;
                refresh();
                break;
            case Qt::Key_NumLock:
                m_num = !m_num;
                refresh();
                break;
            case Qt::Key_ScrollLock:
                m_scroll = !m_scroll;
                refresh();
                break;
            case Qt::Key_Insert:
                if (key->modifiers() == Qt::NoModifier) {
                    m_insert = !m_insert;
                    refresh();
                }
                break;
            default:
                break;
            }
        }
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace ui
