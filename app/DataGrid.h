#pragma once
#include <QTableView>

class DataSource;

// An editable grid over a query of the data module, bound through its data
// source.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(const QString &name, QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return source_; }

private:
    DataSource *source_ = nullptr;
};
