#pragma once

#include "GridColumn.h"

#include <QHeaderView>
#include <QVector>

class QLineEdit;

namespace ui {

class GridModel;

// Horizontal header of the grid: an optional band row above the column captions and an
// optional filter row below them with one line edit per column (objectName
// "filter_<FieldName>").
class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit GridHeader(QWidget* parent = nullptr);

    void setGridModel(GridModel* model) { m_model = model; }
    void setBands(const QVector<GridBand>* bands) { m_bands = bands; }
    void setFilterRowVisible(bool visible);
    bool isFilterRowVisible() const { return m_filterVisible; }
    void rebuildEditors(); // after columns were added
    QLineEdit* filterEditor(int column) const { return m_editors.value(column); }
    void layoutEditors();

    int bandHeight() const;
    int captionHeight() const;
    int filterHeight() const;

    QSize sizeHint() const override;

signals:
    void filterEdited(int column, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool hasVisibleBands() const;

    GridModel* m_model = nullptr;
    const QVector<GridBand>* m_bands = nullptr;
    QVector<QLineEdit*> m_editors;
    bool m_filterVisible = false;
    bool m_pressInBand = false;
};

} // namespace ui
