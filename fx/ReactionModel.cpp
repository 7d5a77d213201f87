#include "ReactionModel.h"
#include "ReactionTable.h"

void ReactionModel::setRows(std::vector<Reaction::Row> rows, const std::vector<Reaction::Horizon> &horizons)
{
    beginResetModel();
    rows_ = std::move(rows);
    titles_ = Reaction::columnTitles(horizons);
    endResetModel();
}

int ReactionModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int ReactionModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(titles_.size()); }

QVariant ReactionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return Reaction::cellText(rows_[size_t(index.row())], index.column());
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    return {};
}

QVariant ReactionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return titles_.value(section);
    return section + 1;
}
