#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace ui {

// A captioned group of radio buttons with an item index (-1 = none chosen).
// Buttons are named "<group name>_<index>" once the group has its name.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const { return m_items; }
    void setColumns(int columns);
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

signals:
    void itemIndexChanged(int index);

private:
    void nameButtons();
    QButtonGroup* m_group;
    QGridLayout* m_layout;
    QStringList m_items;
    int m_columns = 1;
};

} // namespace ui
