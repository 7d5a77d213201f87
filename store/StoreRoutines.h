#pragma once
#include <QString>
#include "LookupWatch.h"
#include "PreparedInsert.h"
#include <array>
#include <vector>

class Dataset;
class Tdm;

// The working fields every data operation shares and the store's routines:
// the connection and table check (uqCtbl), the dictionary lookups (uqTst),
// the dictionary-driven statement builder (ucSql, ucNul) and the executor
// (uExSql). The main window derives from it; tests drive it alone.
class StoreRoutines {
public:
    static constexpr int kSlots = 60;
    static constexpr int kFirstValueSlot = 11;

    StoreRoutines() = default;
    virtual ~StoreRoutines() = default;

    void setDataModule(Tdm *dataModule)
    {
        dm_ = dataModule;
        lookup_.forget();
    }
    Tdm &dm() const;

    // sa[1] .. sa[60]; sa[0] is never used.
    std::array<QString, kSlots + 1> sa;
    QString sqw;  // the statement being built or run
    QString stnm; // the current table name
    QString swh;  // the WHERE/ORDER tail of a select or update
    QString stid; // TBID of the table last found, as text
    QString stdb; // the connection's name, "csq"

    // 4 connects to the working folder's SQDB.DB, 1 creates every described
    // table (TBID 4 or more) that is missing, 2 creates stnm when missing.
    void uqCtbl(int id);
    // 2 looks stnm up in AAATBN, 1 also loads its column rows into qst. A
    // look-up that still holds (LookupWatch) is not read again: qst is
    // rewound to its first row instead.
    void uqTst(int id);
    // 1 select, 2 insert, 3 update, 6 create, 7 format slot 9. A value for
    // a column that is no text column must be a number literal or empty
    // (NumberLiteral); an insert or update with any other leaves sqw empty,
    // and the executor refuses it with the reason.
    void ucSql(int id);
    // 1 formats a value of a column that is no text column, 2 of a text
    // column of length il: empty becomes NULL, texts are cut and quoted.
    static void ucNul(QString &st, int id, int il);
    // Runs sqw in a savepoint of its own; a statement the database refuses
    // is undone silently (inside a caller's transaction, only it).
    void uExSql();
    // Runs sqw like uExSql, but raises the reason on failure.
    void executeOrRaise();
    // Builds and runs the insert of the value slots (ucSql(2)) for a line of
    // a long import inside the caller's transaction: false when the number
    // rule or the database refuses the row, which is then undone alone.
    // Should the database have ended the caller's transaction instead, the
    // error is raised.
    bool insertSlotsOrRefuse();

    // Empties slots 11 to 60: a routine that fills slots for a statement
    // starts here, so no value of an earlier statement is carried into the
    // columns it does not fill.
    void clearValueSlots();

    // The column rows of stnm (uqTst(1)) as the insert builder reads them:
    // name, whether a text column, and the length texts are cut to.
    std::vector<PreparedInsert::Column> insertColumns();

    // Gives field k of a query just opened from a select of the builder the
    // display width DPW of column row k in qst.
    void applyDisplayWidths(Dataset &query);

private:
    QString columnName() const;
    void requireValueSlots();
    void buildSelect();
    void buildInsert();
    void buildUpdate();
    void buildCreate();
    void formatValue();
    void dropRefusedStatement();
    void openConnection();
    void checkTables();
    void ensureTable();
    void lookUpTable();
    void loadColumnRows();
    bool isOwnInsert() const;

    Tdm *dm_ = nullptr;
    QString refusal_; // why the last insert or update was refused
    LookupWatch lookup_;
    QString builtInsert_; // the last insert built, and its table
    QString insertTable_;
};
