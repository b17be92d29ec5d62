#include "platform/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace ui {

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this)) {
    m_group->setExclusive(true);
    connect(this, &QObject::objectNameChanged, this, &RadioGroup::nameButtons);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : RadioGroup(parent) {
    setTitle(caption);
    setItems(items);
}

void RadioGroup::setItems(const QStringList& items) {
    const int previous = itemIndex();
    for (QAbstractButton* b : m_group->buttons()) {
        m_group->removeButton(b);
        delete b;
    }
    m_items = items;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items.at(i), this);
        m_group->addButton(b, i);
        m_layout->addWidget(b, i / m_columns, i % m_columns);
    }
    nameButtons();
    if (previous >= 0 && previous < items.size())
        setItemIndex(previous);
    else if (previous >= 0)
        emit itemIndexChanged(-1);
}

void RadioGroup::setColumns(int columns) {
    m_columns = qMax(1, columns);
    const int index = itemIndex();
    setItems(m_items);
    setItemIndex(index);
}

int RadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (index == itemIndex())
        return;
    if (index < 0 || index >= m_items.size()) {
        QAbstractButton* checked = m_group->checkedButton();
        m_group->setExclusive(false);
        if (checked)
            checked->setChecked(false);
        m_group->setExclusive(true);
        emit itemIndexChanged(-1);
        return;
    }
    m_group->button(index)->setChecked(true);
}

QRadioButton* RadioGroup::button(int index) const {
    return qobject_cast<QRadioButton*>(m_group->button(index));
}

void RadioGroup::nameButtons() {
    if (objectName().isEmpty())
        return;
    for (int i = 0; i < m_items.size(); ++i)
        m_group->button(i)->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(i));
}

} // namespace ui
