#pragma once
#include <QString>
#include <vector>

class Connection;

// The data dictionary a new SQDB.DB comes with: the two dictionary tables
// AAATBN and AAATST and the rows that describe every table of the system.
//
// The program itself only reads the dictionary; these functions are for the
// tools that make a database (sqdb-init) and for test fixtures.
namespace StandardDictionary {

// One column row of AAATST. The position in its table's list is its order.
struct ColumnRow {
    const char *name;   // CNAM
    const char *kind;   // KT: "Integer" or "nchar"
    int length;         // LN; 0 writes no length (NULL)
    int width;          // DPW, display width in characters
    const char *remark; // TYO, UTF-8
};

// One table row of AAATBN with the column rows of its table.
struct TableRow {
    int tbid;           // TBID; below 4 for the dictionary's own tables
    const char *group;  // SKB
    const char *name;   // TNAM
    const char *remark; // TYO, UTF-8
    std::vector<ColumnRow> columns;
};

// Every described table, in the CNT order of AAATBN: AAATBN (TBID 1),
// AAATST (2), AAEIL (4), AINDX (5), AAFXL (6), AFX (7), WEBBRW (8).
const std::vector<TableRow> &tables();
// The table row named exactly so; nullptr when there is none.
const TableRow *table(const QString &name);

// The create statement of a table in the dictionary's declared types, for
// example " create table AAATBN (CNT Integer, ..., SKB nchar(4), ...)".
QString createStatement(const TableRow &table);

// Creates AAATBN and AAATST, both empty. Raises DatabaseError when either
// exists already.
void createTables(Connection &db);
// Inserts every table row and column row into existing dictionary tables.
void writeRows(Connection &db);
// Both, in one transaction: the database then holds the full dictionary and
// no data table (the program's table check creates those).
void create(Connection &db);

// Opens (or creates) the database file at path on a connection of its own,
// writes the full dictionary into it and closes it again. For fixtures that
// want a dictionary without data tables. The file must not be held by
// another open connection of the program: those lock it exclusively.
void createFile(const QString &path);

// Makes a new database file at path, in a folder that exists, holding the
// full dictionary: what sqdb-init makes and the first start in the user's
// own folder offers. Raises FileError when a file is there already, which is
// left untouched, and when the file cannot be made; when the dictionary
// cannot be written, removes the file again and raises the error.
void createNewFile(const QString &path);

} // namespace StandardDictionary
