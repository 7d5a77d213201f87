#pragma once
#include "store/Dataset.h"
#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

// One column of a grid: the field it shows, its title (the field name when
// empty) and the alignment of its cells (by the field's type when none).
struct GridColumn {
    QString field;
    QString title;
    Qt::Alignment alignment = {};
};

// The rows of a query as a table model, one column per listed field. The
// rows are those the query has read; the view asks for more as it scrolls.
// A listed field that the query lacks, or a closed query, shows nothing.
//
// The model only reads the query and hands edited texts to it; writing, and
// any error of it, belong to the query.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(Dataset *dataset, QObject *parent = nullptr);

    Dataset *dataset() const { return dataset_; }

    // An empty list shows every field of the query under its own name.
    void setColumns(std::vector<GridColumn> columns);
    QString title(int column) const;
    // The query's field shown in a column; -1 when there is none.
    int fieldOf(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The marker of the row being shown, edited or inserted.
    static QString marker(int state);

private:
    bool isNumeric(int field) const;
    void reset();
    void mapFields();
    void rowsFetched(int first, int last);
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void markerMoved();

    QPointer<Dataset> dataset_;
    std::vector<GridColumn> listed_;
    std::vector<GridColumn> columns_;
    std::vector<int> fields_;
    bool mapped_ = false;
    int rows_ = 0;       // rows announced to the views
    int markerRow_ = -1; // the row whose marker is shown
};
