#include "gui/shell/datasetmodel.h"

#include "core/db/dataset.h"
#include "gui/shell/messages.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace korvessa {

using namespace Qt::StringLiterals;

DataSetModel::DataSetModel(DataSet* set, QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , m_set(set)
    , m_columns(std::move(columns))
{
    resolveColumns();
    connect(m_set, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_dataColumns.clear();
        endResetModel();
    });
    connect(m_set, &DataSet::aboutToReset, this, [this] {
        ++m_changing;
        beginResetModel();
    });
    connect(m_set, &DataSet::wasReset, this, [this] {
        resolveColumns();
        endResetModel();
        --m_changing;
    });
    connect(m_set, &DataSet::rowAboutToBeInserted, this, [this](int row) {
        ++m_changing;
        beginInsertRows({}, row, row);
    });
    connect(m_set, &DataSet::rowInserted, this, [this] {
        endInsertRows();
        --m_changing;
    });
    connect(m_set, &DataSet::rowAboutToBeRemoved, this, [this](int row) {
        ++m_changing;
        beginRemoveRows({}, row, row);
    });
    connect(m_set, &DataSet::rowRemoved, this, [this] {
        endRemoveRows();
        --m_changing;
    });
    connect(m_set, &DataSet::rowsAboutToBeFetched, this, [this](int first, int last) {
        ++m_changing;
        beginInsertRows({}, first, last);
    });
    connect(m_set, &DataSet::rowsFetched, this, [this] {
        endInsertRows();
        --m_changing;
    });
    connect(m_set, &DataSet::valueChanged, this, [this](int row, int column) {
        for (qsizetype c = 0; c < m_dataColumns.size(); ++c) {
            if (m_dataColumns.at(c) == column)
                Q_EMIT dataChanged(index(row, int(c)), index(row, int(c)));
        }
    });
    connect(m_set, &DataSet::currentRowChanged, this, [this] {
        if (rowCount() > 0)
            Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
        showCurrentRow();
    });
    connect(m_set, &DataSet::stateChanged, this, [this] {
        if (rowCount() > 0)
            Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    });
}

DataSetModel::~DataSetModel() = default;

void DataSetModel::resolveColumns()
{
    m_dataColumns.clear();
    for (const GridColumn& c : m_columns)
        m_dataColumns.append(m_set ? m_set->columnIndex(c.column) : -1);
}

void DataSetModel::attachView(QAbstractItemView* view)
{
    m_views.append(view);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current) {
            if (m_changing == 0 && current.isValid() && m_set)
                m_set->setCurrentRow(current.row());
        });
    showCurrentRow();
}

void DataSetModel::showCurrentRow()
{
    if (!m_set)
        return;
    const int row = m_set->currentRow();
    ++m_changing;
    for (const QPointer<QAbstractItemView>& view : std::as_const(m_views)) {
        if (!view || !view->selectionModel())
            continue;
        const QModelIndex current = view->currentIndex();
        if (row < 0) {
            view->selectionModel()->clearCurrentIndex();
            continue;
        }
        if (current.isValid() && current.row() == row)
            continue;
        const QModelIndex target = index(row, current.isValid() ? current.column() : 0);
        view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        view->scrollTo(target);
    }
    --m_changing;
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_set ? 0 : m_set->count();
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!m_set || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QVariant v = m_set->value(index.row(), m_dataColumns.value(index.column(), -1));
    if (role == Qt::EditRole)
        return v;
    const GridColumn& column = m_columns.at(index.column());
    if (column.format)
        return column.format(v);
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_set || !m_editable || !index.isValid() || role != Qt::EditRole)
        return false;
    return m_set->setValue(index.row(), m_dataColumns.value(index.column(), -1), value);
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns.at(section).title : QVariant();
    // The record indicator: the current row, a star while it is a new one.
    if (!m_set || section != m_set->currentRow())
        return QString();
    return m_set->state() == DataSet::State::Insert ? u"*"_s : u"▶"_s;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable && m_dataColumns.value(index.column(), -1) >= 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_set && m_set->canFetchMore();
}

void DataSetModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || !m_set)
        return;
    if (Status s = m_set->fetchMore(); !s) {
        QWidget* owner = nullptr;
        for (const QPointer<QAbstractItemView>& view : std::as_const(m_views)) {
            if (view) {
                owner = view;
                break;
            }
        }
        Messages::instance().refuse(owner, s.refusal());
    }
}

} // namespace korvessa
