#pragma once

#include <QDialog>

class QPushButton;
namespace ui {
class DataGrid;
}

// The project choice after a log-in with several projects: a read-only grid over
// the project scope. Every way out simply closes; the focused row is the current
// project.
class TFmProjectSelect : public QDialog {
    Q_OBJECT
public:
    explicit TFmProjectSelect(QWidget* parent = nullptr);

    ui::DataGrid* cxGridDBBandedTableView3;
    QPushButton* btnOK;
    QPushButton* btnClose;

public slots:
    void btnOKClick();
    void btnCloseClick();

private:
    void cxGridDBBandedTableView3CellDblClick();
};
