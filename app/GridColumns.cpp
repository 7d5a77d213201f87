#include "GridColumns.h"
#include "FieldMap.h"

namespace GridColumns {

std::vector<GridColumn> of(const QString &gridName)
{
    std::vector<GridColumn> columns;
    for (const FieldMap::Field &f : FieldMap::ofTable(FieldMap::tableOfGrid(gridName)))
        columns.push_back({f.column, f.title, f.alignment});
    return columns;
}

} // namespace GridColumns
