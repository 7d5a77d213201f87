#pragma once
#include <QString>
#include <Qt>
#include <vector>

// Which column of a data table each grid column and each entry field of the
// panel carries, and which value slot the registration fills from that
// field: one list per table, read by the grids, the entry panel and the
// registration.
namespace FieldMap {

// What a panel field of a column is: a part of the release's date and time,
// or one of its values, which a new release clears.
enum class Entry { None, DateTime, Value };

struct Field {
    QString column;
    QString title; // of the grid column
    Qt::Alignment alignment = {};
    Entry entry = Entry::None;
    QString entryField; // objectName of the panel field, when there is one
    int slot = 0;       // the value slot the registration fills from it
};

// The fields of a table in the order its grid shows them; empty for a
// table without a grid.
const std::vector<Field> &ofTable(const QString &table);
// The table a grid shows (adg, bdg, d1G, d2G); empty for any other name.
QString tableOfGrid(const QString &gridName);

} // namespace FieldMap
