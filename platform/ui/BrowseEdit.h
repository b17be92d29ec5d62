#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace ui {

// A text field with a browse ("...") button. Read-only: the text changes only
// through code (typically after the browse button picked something).
class BrowseEdit : public QWidget {
    Q_OBJECT
public:
    explicit BrowseEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    void clear() { setText(QString()); }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* browseButton() const { return m_button; }

signals:
    void browseClicked();
    void textChanged(const QString& text);

private:
    QLineEdit* m_edit;
    QToolButton* m_button;
};

} // namespace ui
