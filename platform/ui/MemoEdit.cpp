#include "platform/ui/MemoEdit.h"

#include <QTextCursor>

namespace ui {

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &MemoEdit::enforceLimit);
}

void MemoEdit::setMaxLength(int maxLength) {
    m_maxLength = qMax(0, maxLength);
    enforceLimit();
}

void MemoEdit::enforceLimit() {
    if (m_maxLength <= 0)
        return;
    const QString t = toPlainText();
    if (t.size() <= m_maxLength)
        return;
    const int cursor = qMin(textCursor().position(), m_maxLength);
    setPlainText(t.left(m_maxLength));
    QTextCursor c = textCursor();
    c.setPosition(cursor);
    setTextCursor(c);
}

} // namespace ui
