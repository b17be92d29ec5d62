#pragma once

class QMenu;
class QWidget;

namespace ui {

class DataGrid;

// The menu in which the user shows and hides the grid's bands and columns; bands and
// columns that are not offered are not listed.
class GridColumnChooser {
public:
    static QMenu* createMenu(DataGrid* grid, QWidget* parent);
};

} // namespace ui
