#pragma once

#include "platform/ui/UpperCaseEdit.h"

namespace ui {

// A line edit that turns what is typed into lower case (log-in user names).
class LowerCaseEdit : public UpperCaseEdit {
    Q_OBJECT
public:
    explicit LowerCaseEdit(QWidget* parent = nullptr) : UpperCaseEdit(Case::Lower, parent) {}
};

} // namespace ui
