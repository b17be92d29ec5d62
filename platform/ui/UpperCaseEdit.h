#pragma once

#include <QLineEdit>

namespace ui {

// A line edit that turns what is typed (and set) into capitals, or into lower case.
class UpperCaseEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Case { Upper, Lower };
    explicit UpperCaseEdit(QWidget* parent = nullptr) : UpperCaseEdit(Case::Upper, parent) {}
    UpperCaseEdit(Case mode, QWidget* parent);

    Case caseMode() const { return m_mode; }
    void setCaseMode(Case mode);

private:
    void convert();
    Case m_mode;
};

} // namespace ui
