#include "platform/ui/LookupBox.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

namespace ui {

LookupBox::LookupBox(QWidget* parent)
    : QWidget(parent), m_model(new LookupModel(this)), m_combo(new QComboBox(this)),
      m_view(new QTableView) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_combo);
    m_combo->setObjectName(QStringLiteral("combo"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->verticalHeader()->hide();
    m_view->setShowGrid(false);
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_combo->setView(m_view); // the combo takes ownership
    auto* completer = new QCompleter(m_model, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    m_combo->setCompleter(completer);
    setFocusProxy(m_combo);
    setFocusPolicy(m_combo->focusPolicy());

    connect(m_combo, &QComboBox::activated, this, [this](int row) {
        if (!m_readOnly)
            commitRow(row);
    });
    connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex&) { commitTypedText(); });
    connect(m_combo->lineEdit(), &QLineEdit::editingFinished, this, &LookupBox::commitTypedText);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LookupBox::afterReset);
    setFields(QString(), QString());
}

void LookupBox::setDataset(db::Dataset* dataset) {
    m_model->setDataset(dataset);
}

void LookupBox::setFields(const QString& keyField, const QString& displayField,
                          const QList<Column>& listColumns) {
    QList<Column> columns = listColumns;
    if (columns.isEmpty() && !displayField.isEmpty())
        columns.append(Column{displayField, QString(), 0});
    m_model->setFields(keyField, displayField, columns);
    m_combo->setModelColumn(m_model->displayColumn());
    if (m_combo->completer())
        m_combo->completer()->setCompletionColumn(m_model->displayColumn());
    int width = 0;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const bool listed = c < m_model->listColumnCount();
        m_view->setColumnHidden(c, !listed);
        if (listed) {
            const int w = columns.at(c).width > 0 ? columns.at(c).width : 120;
            m_view->setColumnWidth(c, w);
            width += w;
        }
    }
    m_view->horizontalHeader()->setVisible(columns.size() > 1 ||
                                           !columns.value(0).caption.isEmpty());
    m_view->setMinimumWidth(width + 24);
}

bool LookupBox::setValue(const QVariant& key) {
    const int row = m_model->rowOfKey(key);
    if (row < 0) {
        commitRow(-1);
        return key.isNull();
    }
    commitRow(row);
    return true;
}

bool LookupBox::selectText(const QString& text) {
    const int row = m_model->rowOfText(text);
    if (row < 0)
        return false;
    commitRow(row);
    return true;
}

QString LookupBox::displayText() const {
    return m_model->displayAt(currentRow());
}

void LookupBox::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    // Read-only: the value changes only through code.
    m_combo->setEnabled(!readOnly);
}

void LookupBox::commitRow(int row) {
    if (m_updating)
        return;
    const QVariant key = m_model->keyAt(row);
    const bool changed = key.isNull() != m_value.isNull() ||
                         db::Dataset::toString(key) != db::Dataset::toString(m_value);
    m_value = key;
    showValue();
    if (changed)
        emit valueChanged(m_value);
}

void LookupBox::commitTypedText() {
    if (m_updating)
        return;
    const QString typed = m_combo->lineEdit()->text();
    if (typed.trimmed().isEmpty()) {
        commitRow(-1);
        return;
    }
    const int row = m_model->rowOfText(typed);
    if (row >= 0)
        commitRow(row);
    else
        showValue(); // not a listed entry: keep the value
}

void LookupBox::showValue() {
    m_updating = true;
    const int row = m_model->rowOfKey(m_value);
    m_combo->setCurrentIndex(row);
    m_combo->setEditText(row >= 0 ? m_model->displayAt(row) : QString());
    m_updating = false;
}

void LookupBox::afterReset() {
    // The dataset reopened: keep the value if its row is still there.
    if (!m_value.isNull() && m_model->rowOfKey(m_value) < 0) {
        m_value = QVariant();
        showValue();
        emit valueChanged(m_value);
        return;
    }
    showValue();
}

} // namespace ui
