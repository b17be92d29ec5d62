#pragma once

#include "DisplayFormat.h"

#include <QString>

namespace ui {

// What a footer or group row shows for a column.
enum class GridSummary { None, Sum, Count };

// One grid column bound to a dataset field by name. Screens fill it and hand it to
// DataGrid::addColumn; the grid resolves the field when a dataset is set.
struct GridColumn {
    QString fieldName;
    QString caption;
    int width = 100;
    DisplayFormat format;         // number / date masks; plain by default
    Qt::Alignment alignment = {}; // empty: numbers right, the rest left
    bool visible = true;
    bool offered = true; // false: the user can never show it
    int band = -1;       // index into the grid's bands, -1 for none
    bool upperCase = false;
    bool dateOnly = false; // date fields shown without time (locale short date)
    bool checkBox = false; // boolean shown as a check box, null unchecked
    bool editable = false; // edited in place, posted to the dataset
    bool merged = false;   // equal neighbouring values shown once
    GridSummary footer = GridSummary::None;
    QString footerPattern; // "%1" is replaced by the formatted value
    bool groupSum = false; // summed in group rows

    GridColumn() = default;
    GridColumn(QString field, QString title, int w = 100)
        : fieldName(std::move(field)), caption(std::move(title)), width(w) {}
};

// A header cell above consecutive columns.
struct GridBand {
    QString caption;
    bool visible = true;
    bool offered = true;
};

} // namespace ui
