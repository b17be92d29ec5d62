#pragma once

#include <QDialog>

class QToolButton;
class TDMCompany;

namespace ui {
class DataGrid;
}

// The company list: the register of companies with their contact persons (the
// "Company" command) and the modal picker of the screens that choose a company.
// The focused row is published in SessionContext.PickedCompany; "Select" or a
// double-click sets SessionContext.PickConfirmed to 1, "Close" to 0.
class TFmCompanyList : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Register, Picker };
    explicit TFmCompanyList(Mode mode = Mode::Register, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }

    QToolButton* TBtnCompanyEntry;
    QToolButton* TBtnCompanyUpdate;
    QToolButton* TBtnCompanyRefresh;
    QToolButton* ToolButton3; // "Select"
    QToolButton* TbtnClose;
    ui::DataGrid* cxGrid1;

    // Copies the company columns of the current list row into SessionContext.PickedCompany.
    static void publishPick(TDMCompany& dm);

private:
    void FormCreate();
    void buildGrid();
    void TBtnCompanyRefreshClick();
    void ToolButton3Click();
    void TbtnCloseClick();

    TDMCompany* m_dm;
    Mode m_mode;
};
