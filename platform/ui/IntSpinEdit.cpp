#include "platform/ui/IntSpinEdit.h"

#include <limits>

namespace ui {

IntSpinEdit::IntSpinEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAccelerated(true);
}

} // namespace ui
