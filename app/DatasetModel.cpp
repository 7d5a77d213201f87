#include "DatasetModel.h"
#include "store/ColumnKind.h"
#include "store/Dataset.h"

DatasetModel::DatasetModel(Dataset *dataset, QObject *parent)
    : QAbstractTableModel(parent), dataset_(dataset)
{
    if (!dataset)
        return;
    // The query tells what changed after the fact; the model keeps its own
    // row count, so the views always hear of a change before they see it.
    connect(dataset, &Dataset::opened, this, [this] {
        if (!mapped_)
            reset();
    });
    connect(dataset, &Dataset::closed, this, &DatasetModel::reset);
    connect(dataset, &Dataset::rowsFetched, this, &DatasetModel::rowsFetched);
    connect(dataset, &Dataset::rowsReplaced, this, &DatasetModel::reset);
    connect(dataset, &Dataset::rowInserted, this, &DatasetModel::rowInserted);
    connect(dataset, &Dataset::rowRemoved, this, &DatasetModel::rowRemoved);
    connect(dataset, &Dataset::rowChanged, this, &DatasetModel::rowChanged);
    connect(dataset, &Dataset::currentChanged, this, &DatasetModel::markerMoved);
    connect(dataset, &Dataset::stateChanged, this, &DatasetModel::markerMoved);
    // The data module may go before the grids: nothing is read after that.
    connect(dataset, &QObject::destroyed, this, [this] {
        beginResetModel();
        mapped_ = false;
        rows_ = 0;
        fields_.assign(columns_.size(), -1);
        markerRow_ = -1;
        endResetModel();
    });
    reset();
}

void DatasetModel::setColumns(std::vector<GridColumn> columns)
{
    listed_ = std::move(columns);
    reset();
}

void DatasetModel::reset()
{
    beginResetModel();
    mapFields();
    rows_ = mapped_ ? dataset_->rowCount() : 0;
    markerRow_ = mapped_ ? dataset_->currentRow() : -1;
    endResetModel();
}

void DatasetModel::mapFields()
{
    const bool open = dataset_ && dataset_->isOpen();
    mapped_ = open;
    columns_ = listed_;
    if (columns_.empty() && open)
        for (int f = 0; f < dataset_->fieldCount(); ++f)
            columns_.push_back({dataset_->fieldName(f), QString(), {}});
    fields_.clear();
    for (const GridColumn &column : columns_)
        fields_.push_back(open ? dataset_->fieldIndex(column.field) : -1);
}

QString DatasetModel::title(int column) const
{
    const GridColumn &c = columns_.at(size_t(column));
    return c.title.isEmpty() ? c.field : c.title;
}

int DatasetModel::fieldOf(int column) const
{
    if (column < 0 || column >= int(fields_.size()) || !dataset_)
        return -1;
    return fields_[size_t(column)];
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

bool DatasetModel::isNumeric(int field) const
{
    return ColumnKind::isNumber(ColumnKind::of(dataset_->declaredType(field)));
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    const int field = fieldOf(index.column());
    if (field < 0 || index.row() >= rows_)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return dataset_->textAt(index.row(), field);
    case Qt::TextAlignmentRole: {
        Qt::Alignment horizontal = columns_[size_t(index.column())].alignment;
        if (!horizontal)
            horizontal = isNumeric(field) ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QString DatasetModel::marker(int state)
{
    switch (Dataset::State(state)) {
    case Dataset::State::Edit: return QStringLiteral("I");
    case Dataset::State::Insert: return QStringLiteral("*");
    default: return QStringLiteral("▶");
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < int(columns_.size()) ? title(section) : QVariant();
    if (dataset_ && section == markerRow_)
        return marker(int(dataset_->state()));
    return QString();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int field = fieldOf(index.column());
    if (field >= 0 && dataset_->isEditable() && dataset_->isFieldWritable(field))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int field = fieldOf(index.column());
    if (role != Qt::EditRole || field < 0 || index.row() != dataset_->currentRow())
        return false;
    dataset_->setFieldText(field, value.toString());
    return true;
}

bool DatasetModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && mapped_ && dataset_ && dataset_->canFetchMore();
}

void DatasetModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        dataset_->fetchMore();
}

void DatasetModel::rowsFetched(int, int last)
{
    if (!mapped_) { // the first rows of a query being opened
        reset();
        return;
    }
    if (last < rows_)
        return;
    beginInsertRows(QModelIndex(), rows_, last);
    rows_ = last + 1;
    endInsertRows();
}

void DatasetModel::rowInserted(int row)
{
    beginInsertRows(QModelIndex(), row, row);
    ++rows_;
    if (markerRow_ >= row)
        ++markerRow_;
    endInsertRows();
}

void DatasetModel::rowRemoved(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    --rows_;
    if (markerRow_ == row)
        markerRow_ = -1;
    else if (markerRow_ > row)
        --markerRow_;
    endRemoveRows();
}

void DatasetModel::rowChanged(int row)
{
    if (row < 0 || row >= rows_ || columns_.empty())
        return;
    emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
}

void DatasetModel::markerMoved()
{
    if (!mapped_)
        return;
    const int previous = markerRow_;
    markerRow_ = dataset_->currentRow();
    if (previous >= 0 && previous < rows_)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (markerRow_ >= 0 && markerRow_ < rows_)
        emit headerDataChanged(Qt::Vertical, markerRow_, markerRow_);
}
