#include "platform/ui/UpperCaseEdit.h"

namespace ui {

UpperCaseEdit::UpperCaseEdit(Case mode, QWidget* parent) : QLineEdit(parent), m_mode(mode) {
    connect(this, &QLineEdit::textChanged, this, &UpperCaseEdit::convert);
}

void UpperCaseEdit::setCaseMode(Case mode) {
    m_mode = mode;
    convert();
}

void UpperCaseEdit::convert() {
    const QString t = text();
    const QString converted = m_mode == Case::Upper ? t.toUpper() : t.toLower();
    if (converted == t)
        return;
    const int cursor = cursorPosition();
    setText(converted); // re-enters once with nothing left to convert
    setCursorPosition(qMin(cursor, int(converted.size())));
}

} // namespace ui
