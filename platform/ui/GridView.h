#pragma once

#include <QTableView>

namespace ui {

class GridModel;

// The table view of the grid: fixed row heights, group rows drawn across the row,
// + / - (and a click on a group row) expand and collapse groups, Enter activates a row.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(GridModel* model, QWidget* parent = nullptr);

signals:
    void enterPressed(int displayRow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    GridModel* m_model;
};

} // namespace ui
