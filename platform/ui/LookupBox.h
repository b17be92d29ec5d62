#pragma once

#include "platform/ui/LookupModel.h"

#include <QVariant>
#include <QWidget>

class QComboBox;
class QTableView;

namespace ui {

// A drop-down bound to a dataset: the key field is the value, the display field is
// shown when closed, the drop-down is a small table of the list columns. Typing
// finds rows by their display text. The value may be empty (null).
class LookupBox : public QWidget {
    Q_OBJECT
public:
    using Column = LookupModel::Column;

    explicit LookupBox(QWidget* parent = nullptr);

    void setDataset(db::Dataset* dataset);
    db::Dataset* dataset() const { return m_model->dataset(); }
    // List columns default to the display field alone.
    void setFields(const QString& keyField, const QString& displayField,
                   const QList<Column>& listColumns = {});

    QVariant value() const { return m_value; }
    bool isNull() const { return m_value.isNull(); }
    // Returns false (and leaves the box empty) when no row has that key.
    bool setValue(const QVariant& key);
    // Picks the row whose display text equals text (case-insensitive); false when none.
    bool selectText(const QString& text);
    void clear() { setValue(QVariant()); }
    QString displayText() const;
    // Dataset row of the value, or -1.
    int currentRow() const { return m_model->rowOfKey(m_value); }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    QComboBox* comboBox() const { return m_combo; }
    LookupModel* model() const { return m_model; }

signals:
    void valueChanged(const QVariant& value);

private:
    void commitRow(int row);
    void commitTypedText();
    void showValue();
    void afterReset();

    LookupModel* m_model;
    QComboBox* m_combo;
    QTableView* m_view;
    QVariant m_value;
    bool m_readOnly = false;
    bool m_updating = false;
};

} // namespace ui
