#pragma once

#include <QLabel>

namespace ui {

// Status-bar panel with the keyboard state: "CAPS", "NUM", "SCRL" while those locks
// are on, and "INS" or "OVR" for the insert mode (toggled by the Insert key). The
// states start off (insert mode on) and follow the keys pressed in the application.
class KeyboardStatePanel : public QLabel {
    Q_OBJECT
public:
    explicit KeyboardStatePanel(QWidget* parent = nullptr);
    ~KeyboardStatePanel() override;

    bool capsLock() const { return m_caps; }
    bool numLock() const { return m_num; }
    bool scrollLock() const { return m_scroll; }
    bool insertMode() const { return m_insert; }
    void setStates(bool caps, bool num, bool scroll, bool insert);
    static QString stateText(bool caps, bool num, bool scroll, bool insert);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    bool m_caps = false;
    bool m_num = false;
    bool m_scroll = false;
    bool m_insert = true;
};

} // namespace ui
