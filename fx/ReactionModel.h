#pragma once
#include "ReactionMatch.h"
#include <QAbstractTableModel>

// The rows of the reaction table for its view: one line per release, the
// columns and texts of Reaction::columnTitles and cellText, numbers aligned
// to the right.
class ReactionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<Reaction::Row> rows, const std::vector<Reaction::Horizon> &horizons);
    const std::vector<Reaction::Row> &rows() const { return rows_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Reaction::Row> rows_;
    QStringList titles_;
};
