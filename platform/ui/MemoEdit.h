#pragma once

#include <QPlainTextEdit>

namespace ui {

// Multi-line plain text with an optional maximum length (0 = no limit); longer
// input is cut at the limit.
class MemoEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoEdit(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int maxLength);

private:
    void enforceLimit();
    int m_maxLength = 0;
};

} // namespace ui
