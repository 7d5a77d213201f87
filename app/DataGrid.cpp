#include "DataGrid.h"

DataGrid::DataGrid(const QString &name, QWidget *parent) : QTableView(parent)
{
    setObjectName(name);
}

void DataGrid::setDataSource(DataSource *source)
{
    source_ = source;
}
