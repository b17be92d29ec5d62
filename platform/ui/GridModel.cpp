#include "GridModel.h"

#include "GridFilter.h"
#include "db/Dataset.h"
#include "db/DbError.h"

#include <QDate>
#include <algorithm>
#include <bit>

namespace ui {

namespace {

int bitsFor(int distinct) {
    return std::max(1, static_cast<int>(std::bit_width(static_cast<unsigned>(distinct))));
}

} // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

int GridModel::addColumn(const GridColumn& column) {
    beginResetModel();
    m_columns.append(column);
    m_caches.emplace_back();
    endResetModel();
    return m_columns.size() - 1;
}

int GridModel::columnIndex(const QString& fieldName) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void GridModel::setDataset(db::Dataset* dataset) {
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_dataset = dataset;
    if (dataset) {
        m_connections << connect(dataset, &db::Dataset::rowsReset, this, [this] {
            rebuildCaches();
            rebuild();
        });
        m_connections << connect(dataset, &db::Dataset::valueChanged, this,
                                 &GridModel::onValueChanged);
        m_connections << connect(dataset, &db::Dataset::rowInserted, this,
                                 &GridModel::onRowInserted);
        m_connections << connect(dataset, &db::Dataset::rowRemoved, this, &GridModel::onRowRemoved);
        m_connections << connect(dataset, &QObject::destroyed, this, [this] {
            m_dataset = nullptr;
            rebuildCaches();
            rebuild();
        });
    }
    rebuildCaches();
    rebuild();
}

void GridModel::setFilterText(int column, const QString& text) {
    if (column < 0 || column >= m_columns.size())
        return;
    if (text.trimmed().isEmpty())
        m_filters.remove(column);
    else
        m_filters.insert(column, text);
}

void GridModel::setSortColumn(int column, Qt::SortOrder order) {
    m_sortColumn = column >= 0 && column < m_columns.size() ? column : -1;
    m_sortOrder = order;
}

void GridModel::setGroupColumns(const QVector<int>& columns) {
    m_groupColumns.clear();
    for (int c : columns)
        if (c >= 0 && c < m_columns.size() && !m_groupColumns.contains(c) &&
            m_groupColumns.size() < 2)
            m_groupColumns.append(c);
}

void GridModel::rebuildCaches() {
    const int rows = m_dataset ? m_dataset->rowCount() : 0;
    for (int c = 0; c < m_columns.size(); ++c) {
        GridColumnCache& cache = m_caches[static_cast<size_t>(c)];
        const int field = m_dataset ? m_dataset->fieldIndex(m_columns[c].fieldName) : -1;
        bool built = false;
        if (field >= 0) {
            try {
                cache.build(*m_dataset, field, m_columns[c]);
                built = true;
            } catch (const std::exception& e) {
                // a failing calculated or lookup field leaves its column empty
                qWarning("Grid column '%s': %s", qPrintable(m_columns[c].fieldName), e.what());
            }
        }
        if (!built) {
            if (m_dataset && field < 0)
                qWarning("Grid column '%s' has no field in dataset '%s'",
                         qPrintable(m_columns[c].fieldName), qPrintable(m_dataset->objectName()));
            cache.clear();
            for (int r = 0; r < rows; ++r)
                cache.insertRow(r, QVariant());
        }
    }
}

void GridModel::rebuild() {
    beginResetModel();
    const int n =
        m_caches.empty() ? (m_dataset ? m_dataset->rowCount() : 0) : m_caches.front().rowCount();

    // Filter: one match flag per distinct value, then one pass over the rows.
    std::vector<std::vector<char>> matches;
    std::vector<const std::vector<int>*> codes;
    for (auto it = m_filters.constBegin(); it != m_filters.constEnd(); ++it) {
        const GridColumn& col = m_columns[it.key()];
        const QLocale locale = col.format.locale();
        std::vector<char> m =
            GridFilter::evaluate(m_caches[static_cast<size_t>(it.key())], it.value(), locale,
                                 DisplayFormat::dateOnly(locale).datePattern());
        if (m.empty())
            continue;
        matches.push_back(std::move(m));
        codes.push_back(&m_caches[static_cast<size_t>(it.key())].codes());
    }
    m_filtered.clear();
    m_filtered.reserve(static_cast<size_t>(n));
    const size_t active = matches.size();
    for (int r = 0; r < n; ++r) {
        bool ok = true;
        for (size_t f = 0; f < active && ok; ++f)
            ok = matches[f][static_cast<size_t>((*codes[f])[static_cast<size_t>(r)])] != 0;
        if (ok)
            m_filtered.push_back(r);
    }
    m_filteredCount = static_cast<int>(m_filtered.size());

    // Order: group codes, then the sort column, then the dataset order.
    struct Level {
        const std::vector<int>* codes;
        bool descending;
        int distinct;
    };
    std::vector<Level> levels;
    for (int g : m_groupColumns)
        levels.push_back({&m_caches[static_cast<size_t>(g)].codes(), false,
                          m_caches[static_cast<size_t>(g)].distinctCount()});
    if (m_sortColumn >= 0)
        levels.push_back({&m_caches[static_cast<size_t>(m_sortColumn)].codes(),
                          m_sortOrder == Qt::DescendingOrder,
                          m_caches[static_cast<size_t>(m_sortColumn)].distinctCount()});
    if (!levels.empty()) {
        int bits = 0;
        for (const Level& l : levels)
            bits += bitsFor(l.distinct);
        auto code = [&](const Level& l, int row) {
            const int c = (*l.codes)[static_cast<size_t>(row)];
            return l.descending ? l.distinct - 1 - c : c;
        };
        if (bits <= 64) {
            std::vector<std::pair<quint64, int>> keyed(m_filtered.size());
            for (size_t i = 0; i < m_filtered.size(); ++i) {
                quint64 key = 0;
                for (const Level& l : levels)
                    key =
                        (key << bitsFor(l.distinct)) | static_cast<quint64>(code(l, m_filtered[i]));
                keyed[i] = {key, m_filtered[i]};
            }
            std::sort(keyed.begin(), keyed.end());
            for (size_t i = 0; i < keyed.size(); ++i)
                m_filtered[i] = keyed[i].second;
        } else {
            std::sort(m_filtered.begin(), m_filtered.end(), [&](int a, int b) {
                for (const Level& l : levels) {
                    const int ca = code(l, a), cb = code(l, b);
                    if (ca != cb)
                        return ca < cb;
                }
                return a < b;
            });
        }
    }

    // Display list with group rows.
    m_rows.clear();
    m_groups.clear();
    m_displayOf.assign(static_cast<size_t>(n), -1);
    m_rows.reserve(m_filtered.size() + 16);
    const int depth = m_groupColumns.size();
    int current[2] = {-1, -1};
    int currentCode[2] = {-1, -1};
    for (int r : m_filtered) {
        int changedFrom = depth;
        for (int l = 0; l < depth; ++l) {
            const int c = m_caches[static_cast<size_t>(m_groupColumns[l])].code(r);
            if (c != currentCode[l]) {
                changedFrom = l;
                break;
            }
        }
        for (int l = changedFrom; l < depth; ++l) {
            const int col = m_groupColumns[l];
            Group g;
            g.level = l;
            g.column = col;
            g.code = m_caches[static_cast<size_t>(col)].code(r);
            g.parent = l > 0 ? current[l - 1] : -1;
            current[l] = static_cast<int>(m_groups.size());
            m_groups.push_back(g);
            if (!m_collapsed.isEmpty())
                m_groups.back().expanded = !m_collapsed.contains(groupKey(current[l]));
            const bool parentsOpen = l == 0 || (m_groups[static_cast<size_t>(current[0])].expanded);
            currentCode[l] = g.code;
            if (parentsOpen)
                m_rows.push_back({-1, current[l]});
        }
        bool open = true;
        for (int l = 0; l < depth; ++l)
            open = open && m_groups[static_cast<size_t>(current[l])].expanded;
        if (open) {
            m_displayOf[static_cast<size_t>(r)] = static_cast<int>(m_rows.size());
            m_rows.push_back({r, depth > 0 ? current[depth - 1] : -1});
        }
    }
    recomputeSums();
    endResetModel();
    emit rebuilt();
    emit summariesChanged();
}

db::Decimal::Raw GridModel::numberAt(int column, int datasetRow) const {
    const GridColumnCache& cache = m_caches[static_cast<size_t>(column)];
    return cache.entry(cache.code(datasetRow)).number;
}

void GridModel::recomputeSums() {
    const size_t cols = static_cast<size_t>(m_columns.size());
    m_footerSums.assign(cols, 0);
    std::vector<int> footerCols, groupCols;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_caches[static_cast<size_t>(c)].kind() != GridColumnCache::Kind::Number)
            continue;
        if (m_columns[c].footer == GridSummary::Sum)
            footerCols.push_back(c);
        if (m_columns[c].groupSum)
            groupCols.push_back(c);
    }
    for (int c : footerCols) {
        db::Decimal::Raw sum = 0;
        const GridColumnCache& cache = m_caches[static_cast<size_t>(c)];
        for (int r : m_filtered)
            sum += cache.entry(cache.code(r)).number;
        m_footerSums[static_cast<size_t>(c)] = sum;
    }
    for (Group& g : m_groups) {
        g.sums.assign(groupCols.empty() ? 0 : cols, 0);
        g.count = 0;
    }
    if (m_groups.empty())
        return;
    // Walk the filtered rows in display order; group membership follows the codes.
    const int depth = m_groupColumns.size();
    size_t gi = 0;
    int current[2] = {-1, -1};
    int currentCode[2] = {-1, -1};
    for (int r : m_filtered) {
        for (int l = 0; l < depth; ++l) {
            const int c = m_caches[static_cast<size_t>(m_groupColumns[l])].code(r);
            if (c != currentCode[l] || current[l] < 0) {
                for (int k = l; k < depth; ++k) {
                    current[k] = static_cast<int>(gi++);
                    currentCode[k] = m_caches[static_cast<size_t>(m_groupColumns[k])].code(r);
                }
                break;
            }
        }
        for (int l = 0; l < depth; ++l) {
            Group& g = m_groups[static_cast<size_t>(current[l])];
            ++g.count;
            for (int c : groupCols)
                g.sums[static_cast<size_t>(c)] += numberAt(c, r);
        }
    }
}

bool GridModel::isGroupRow(int displayRow) const {
    return displayRow >= 0 && displayRow < static_cast<int>(m_rows.size()) &&
           m_rows[static_cast<size_t>(displayRow)].datasetRow < 0;
}

int GridModel::datasetRow(int displayRow) const {
    if (displayRow < 0 || displayRow >= static_cast<int>(m_rows.size()))
        return -1;
    return m_rows[static_cast<size_t>(displayRow)].datasetRow;
}

int GridModel::displayRowOf(int datasetRow) const {
    if (datasetRow < 0 || datasetRow >= static_cast<int>(m_displayOf.size()))
        return -1;
    return m_displayOf[static_cast<size_t>(datasetRow)];
}

QString GridModel::groupText(int displayRow) const {
    if (!isGroupRow(displayRow))
        return {};
    const Group& g = m_groups[static_cast<size_t>(m_rows[static_cast<size_t>(displayRow)].group)];
    return m_columns[g.column].caption + QStringLiteral(": ") +
           m_caches[static_cast<size_t>(g.column)].display(g.code);
}

QString GridModel::groupSumText(int displayRow, int column) const {
    if (!isGroupRow(displayRow) || column < 0 || column >= m_columns.size() ||
        !m_columns[column].groupSum)
        return {};
    const Group& g = m_groups[static_cast<size_t>(m_rows[static_cast<size_t>(displayRow)].group)];
    return formatSum(column, g.sums[static_cast<size_t>(column)]);
}

bool GridModel::isGroupExpanded(int displayRow) const {
    return isGroupRow(displayRow) &&
           m_groups[static_cast<size_t>(m_rows[static_cast<size_t>(displayRow)].group)].expanded;
}

void GridModel::setGroupExpanded(int displayRow, bool expanded) {
    if (!isGroupRow(displayRow) || isGroupExpanded(displayRow) == expanded)
        return;
    const QString key = groupKey(m_rows[static_cast<size_t>(displayRow)].group);
    if (expanded)
        m_collapsed.remove(key);
    else
        m_collapsed.insert(key);
    rebuild();
}

QString GridModel::groupKey(int group) const {
    QString key;
    for (int g = group; g >= 0; g = m_groups[static_cast<size_t>(g)].parent) {
        const Group& grp = m_groups[static_cast<size_t>(g)];
        key.prepend(QChar(0x1f) + m_caches[static_cast<size_t>(grp.column)].display(grp.code));
    }
    return key;
}

QString GridModel::formatSum(int column, db::Decimal::Raw sum) const {
    const GridColumn& col = m_columns[column];
    const db::Decimal d = db::Decimal::fromRaw(sum);
    return col.format.isNumber() ? col.format.formatNumber(d) : d.toString();
}

db::Decimal GridModel::footerSum(int column) const {
    if (column < 0 || column >= static_cast<int>(m_footerSums.size()))
        return {};
    return db::Decimal::fromRaw(m_footerSums[static_cast<size_t>(column)]);
}

QString GridModel::footerText(int column) const {
    if (column < 0 || column >= m_columns.size())
        return {};
    const GridColumn& col = m_columns[column];
    QString value;
    switch (col.footer) {
    case GridSummary::None:
        return col.footerPattern;
    case GridSummary::Count:
        value = QString::number(m_filteredCount);
        break;
    case GridSummary::Sum:
        if (m_filteredCount == 0) // no rows, no sum
            return {};
        value = formatSum(column, m_footerSums[static_cast<size_t>(column)]);
        break;
    }
    if (col.footerPattern.isEmpty())
        return value;
    return col.footerPattern.contains(QLatin1String("%1")) ? col.footerPattern.arg(value)
                                                           : col.footerPattern + value;
}

QString GridModel::cellText(int datasetRow, int column) const {
    if (column < 0 || column >= m_columns.size())
        return {};
    const GridColumnCache& cache = m_caches[static_cast<size_t>(column)];
    if (datasetRow < 0 || datasetRow >= cache.rowCount())
        return {};
    return cache.displayAt(datasetRow);
}

bool GridModel::sameAsNeighbour(int displayRow, int column, int step) const {
    const int other = displayRow + step;
    const int a = datasetRow(displayRow);
    const int b = datasetRow(other);
    if (a < 0 || b < 0)
        return false;
    const GridColumnCache& cache = m_caches[static_cast<size_t>(column)];
    return cache.code(a) == cache.code(b);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns.size();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size()))
        return {};
    const int c = index.column();
    const GridColumn& col = m_columns[c];
    const GridColumnCache& cache = m_caches[static_cast<size_t>(c)];
    const int r = m_rows[static_cast<size_t>(index.row())].datasetRow;
    switch (role) {
    case DatasetRowRole:
        return r;
    case IsGroupRole:
        return r < 0;
    case GroupLevelRole:
        return r < 0 ? m_groups[static_cast<size_t>(m_rows[static_cast<size_t>(index.row())].group)]
                           .level
                     : -1;
    case CheckBoxRole:
        return col.checkBox;
    case Qt::TextAlignmentRole:
        if (col.alignment)
            return QVariant::fromValue(col.alignment);
        return QVariant::fromValue(
            (cache.kind() == GridColumnCache::Kind::Number ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignVCenter);
    default:
        break;
    }
    if (r < 0) {
        if (role == Qt::DisplayRole)
            return groupSumText(index.row(), c);
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return col.checkBox ? QVariant() : QVariant(cache.displayAt(r));
    case Qt::CheckStateRole:
        if (!col.checkBox)
            return {};
        return cache.checkedAt(r) ? Qt::Checked : Qt::Unchecked;
    case Qt::EditRole: {
        if (!m_dataset || cache.field() < 0)
            return {};
        const QVariant v = m_dataset->value(r, cache.field());
        if (cache.kind() == GridColumnCache::Kind::Number && !v.isNull()) {
            QString s = db::Dataset::toDecimal(v).toString();
            return s.replace(u'.', col.format.locale().decimalPoint());
        }
        if (cache.kind() == GridColumnCache::Kind::Date)
            return v.toDateTime().date();
        return db::Dataset::toString(v);
    }
    case MergedAboveRole:
        return col.merged && sameAsNeighbour(index.row(), c, -1);
    case MergedBelowRole:
        return col.merged && sameAsNeighbour(index.row(), c, +1);
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !m_dataset)
        return false;
    const int c = index.column();
    const GridColumn& col = m_columns[c];
    const GridColumnCache& cache = m_caches[static_cast<size_t>(c)];
    const int r = datasetRow(index.row());
    if (r < 0 || !col.editable || cache.field() < 0)
        return false;
    QVariant v = value;
    if (role == Qt::CheckStateRole && col.checkBox) {
        v = value.toInt() == Qt::Checked;
    } else if (role != Qt::EditRole) {
        return false;
    } else if (cache.kind() == GridColumnCache::Kind::Number &&
               value.metaType().id() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        db::Decimal d;
        if (text.isEmpty()) {
            v = QVariant();
        } else if (GridFilter::parseNumber(text, col.format.locale(), &d)) {
            v = QVariant::fromValue(d);
        } else {
            emit editRejected(tr("'%1' is not a valid number.").arg(text));
            return false;
        }
    } else if (cache.kind() == GridColumnCache::Kind::Date &&
               value.metaType().id() == QMetaType::QString) {
        QDate d;
        const QString text = value.toString().trimmed();
        if (text.isEmpty()) {
            v = QVariant();
        } else if (GridFilter::parseDate(text, col.format.locale(),
                                         DisplayFormat::dateOnly(col.format.locale()).datePattern(),
                                         &d)) {
            v = QDateTime(d, QTime(0, 0));
        } else {
            emit editRejected(tr("'%1' is not a valid date.").arg(text));
            return false;
        }
    }
    try {
        m_dataset->setValue(r, cache.field(), v);
    } catch (const std::exception& e) {
        emit editRejected(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const GridColumn& col = m_columns[index.column()];
    if (col.editable && !isGroupRow(index.row()))
        f |= col.checkBox ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns[section].caption;
    return {};
}

void GridModel::onValueChanged(int row, int field) {
    if (!m_dataset)
        return;
    bool changed = false;
    for (size_t c = 0; c < m_caches.size(); ++c) {
        GridColumnCache& cache = m_caches[c];
        const int f = cache.field();
        if (f < 0)
            continue;
        if (f != field && m_dataset->field(f).kind == db::FieldKind::Data)
            continue;
        QVariant v;
        try {
            v = m_dataset->value(row, f);
        } catch (const std::exception& e) {
            qWarning("Grid column '%s': %s", qPrintable(m_columns[int(c)].fieldName), e.what());
        }
        changed |= cache.updateRow(row, v);
    }
    if (!changed)
        return;
    recomputeSums();
    if (m_rows.empty())
        return;
    const int shown = displayRowOf(row);
    if (m_groups.empty() && shown >= 0)
        emit dataChanged(index(std::max(0, shown - 1), 0),
                         index(std::min(rowCount() - 1, shown + 1), columnCount() - 1));
    else
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit summariesChanged();
}

void GridModel::onRowInserted(int row) {
    for (size_t c = 0; c < m_caches.size(); ++c) {
        const int f = m_caches[c].field();
        QVariant v;
        try {
            if (m_dataset && f >= 0)
                v = m_dataset->value(row, f);
        } catch (const std::exception& e) {
            qWarning("Grid column '%s': %s", qPrintable(m_columns[int(c)].fieldName), e.what());
        }
        m_caches[c].insertRow(row, v);
    }
    rebuild();
}

void GridModel::onRowRemoved(int row) {
    for (auto& cache : m_caches)
        cache.removeRow(row);
    rebuild();
}

} // namespace ui
