#pragma once
#include "store/Connection.h"
#include <QString>
#include <vector>

// Small hand-made dictionaries for tests of the store.
namespace DictionaryFixture {

struct Column {
    QString name;
    QString kind;
    QString length; // empty for none
    QString width;  // DPW; empty for none
};

inline void createTables(Connection &db)
{
    db.execute(QStringLiteral("create table AAATBN (CNT Integer, BID Integer, TBID Integer, "
                              "SKB nchar(4), TNAM nchar(14), TYO nchar(40))"));
    db.execute(QStringLiteral("create table AAATST (CNT Integer, BID Integer, TBID Integer, CID Integer, "
                              "CNAM nchar(14), KT nchar(10), LN Integer, DPW Integer, TYO nchar(40))"));
}

inline QString literal(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + text + QLatin1Char('\'');
}

inline void describe(Connection &db, int tbid, const QString &table, const std::vector<Column> &columns)
{
    db.execute(QStringLiteral("insert into AAATBN (CNT, TBID, TNAM) values (%1, %1, '%2')").arg(tbid).arg(table));
    int cnt = 1;
    for (const Column &c : columns)
        db.execute(QStringLiteral("insert into AAATST (CNT, TBID, CNAM, KT, LN, DPW) values (%1, %2, '%3', '%4', %5, %6)")
                       .arg(cnt++).arg(tbid).arg(c.name, c.kind, literal(c.length), literal(c.width)));
}

// T1: CNT Integer, NAME varchar(6), MEMO nchar(40).
inline void describeT1(Connection &db, int tbid = 4)
{
    describe(db, tbid, QStringLiteral("T1"),
             {{QStringLiteral("CNT"), QStringLiteral("Integer"), QString(), QStringLiteral("4")},
              {QStringLiteral("NAME"), QStringLiteral("varchar"), QStringLiteral("6"), QStringLiteral("12")},
              {QStringLiteral("MEMO"), QStringLiteral("nchar"), QStringLiteral("40"), QString()}});
}

} // namespace DictionaryFixture
