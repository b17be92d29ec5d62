#pragma once

#include <QWidget>

class QTableView;

namespace ui {

class GridModel;

// The footer row under the grid: each column's sum, count or caption, aligned with the
// column and following horizontal scrolling.
class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(QTableView* view, GridModel* model, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* m_view;
    GridModel* m_model;
};

} // namespace ui
