#pragma once

#include <QSpinBox>

namespace ui {

// Integer spin editor; the full int range unless the screen narrows it.
class IntSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit IntSpinEdit(QWidget* parent = nullptr);
};

} // namespace ui
