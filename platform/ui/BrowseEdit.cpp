#include "platform/ui/BrowseEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace ui {

BrowseEdit::BrowseEdit(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_button->setObjectName(QStringLiteral("btnBrowse"));
    m_button->setText(QStringLiteral("..."));
    m_button->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_button, &QToolButton::clicked, this, &BrowseEdit::browseClicked);
    connect(m_edit, &QLineEdit::textChanged, this, &BrowseEdit::textChanged);
}

QString BrowseEdit::text() const {
    return m_edit->text();
}
void BrowseEdit::setText(const QString& text) {
    m_edit->setText(text);
}
void BrowseEdit::setReadOnly(bool readOnly) {
    m_edit->setReadOnly(readOnly);
}
bool BrowseEdit::isReadOnly() const {
    return m_edit->isReadOnly();
}

} // namespace ui
