#include "GridColumnChooser.h"

#include "DataGrid.h"

#include <QMenu>

namespace ui {

QMenu* GridColumnChooser::createMenu(DataGrid* grid, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("gridColumnChooser"));
    bool anyBand = false;
    for (int b = 0; b < grid->bandCount(); ++b) {
        const GridBand& band = grid->band(b);
        if (!band.offered)
            continue;
        if (!anyBand)
            menu->addSection(QObject::tr("Bands"));
        anyBand = true;
        QAction* a = menu->addAction(band.caption);
        a->setObjectName(QStringLiteral("band_%1").arg(b));
        a->setCheckable(true);
        a->setChecked(band.visible);
        QObject::connect(a, &QAction::toggled, grid,
                         [grid, b](bool on) { grid->setBandVisible(b, on); });
    }
    menu->addSection(QObject::tr("Columns"));
    for (int c = 0; c < grid->columnCount(); ++c) {
        const GridColumn& column = grid->column(c);
        const bool bandOffered =
            column.band < 0 || column.band >= grid->bandCount() || grid->band(column.band).offered;
        if (!column.offered || !bandOffered)
            continue;
        QString text = column.caption;
        if (column.band >= 0 && column.band < grid->bandCount())
            text = grid->band(column.band).caption + QStringLiteral(" / ") + text;
        QAction* a = menu->addAction(text);
        a->setObjectName(QStringLiteral("column_") + column.fieldName);
        a->setCheckable(true);
        a->setChecked(column.visible);
        const QString field = column.fieldName;
        QObject::connect(a, &QAction::toggled, grid,
                         [grid, field](bool on) { grid->setColumnVisible(field, on); });
    }
    return menu;
}

} // namespace ui
