#pragma once
#include "DatasetModel.h"
#include <vector>

// The columns of the window's four grids, by the grid's name.
namespace GridColumns {

// adg, bdg, d1G and d2G; an empty list for any other name.
std::vector<GridColumn> of(const QString &gridName);

} // namespace GridColumns
