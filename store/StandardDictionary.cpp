#include "StandardDictionary.h"
#include "Connection.h"
#include "Errors.h"
#include "TransactionGuard.h"
#include <QFile>

namespace StandardDictionary {

namespace {

// Kinds as KT stores them: "nchar" makes a text column, which the statement
// builder quotes and cuts to LN; "Integer" columns are written unquoted.
constexpr const char *Int = "Integer";
constexpr const char *Txt = "nchar";

// Date and time parts are texts, stored as typed or as the FX import takes
// them: a one-digit day of a price file stays one digit, a minute always has
// two ("8:30" gives "30", "9:5" gives "05"), so two characters hold every
// part but the year.
const std::vector<TableRow> kTables = {
    {1, "SYS", "AAATBN", "テーブル一覧", {
        // CNAM     KT   LN   DPW  TYO
        {"CNT",    Int,   0,   4, "行番号"},
        {"BID",    Int,   0,   4, "区分"},
        {"TBID",   Int,   0,   4, "テーブルID"},
        {"SKB",    Txt,   4,   4, "種別"},
        {"TNAM",   Txt,  14,  14, "テーブル名"},
        {"TYO",    Txt,  40,  24, "摘要"},
    }},
    {2, "SYS", "AAATST", "列一覧", {
        {"CNT",    Int,   0,   6, "行番号(列の順)"},
        {"BID",    Int,   0,   4, "区分"},
        {"TBID",   Int,   0,   4, "テーブルID"},
        {"CID",    Int,   0,   4, "列番号"},
        {"CNAM",   Txt,  14,  14, "列名"},
        {"KT",     Txt,  10,  10, "種類"},
        {"LN",     Int,   0,   4, "長さ"},
        {"DPW",    Int,   0,   4, "表示幅"},
        {"TYO",    Txt,  40,  24, "摘要"},
    }},
    {4, "MST", "AAEIL", "経済指標一覧", {
        {"CNT",    Int,   0,   6, "行番号"},
        {"IID",    Int,   0,   4, "指標ID"},
        {"IXNM",   Txt,  40,  24, "指標名"},
        {"SYT",    Txt,  40,  16, "ｻｲﾄ名"},
        {"URL",    Txt, 200,  30, "URL"},
        {"RYAK",   Txt,  20,  12, "略称"},
        {"CSVNM",  Txt,  40,  12, "CSVﾌｧｲﾙ名"},
        {"TYO",    Txt,  40,  16, "摘要"},
    }},
    {5, "DAT", "AINDX", "経済指標値", {
        {"CNT",    Int,   0,   6, "行番号"},
        {"IID",    Int,   0,   4, "指標ID"},
        {"IXNM",   Txt,  40,  24, "指標名"},
        {"DY",     Txt,   4,   4, "年"},
        {"DM",     Txt,   2,   2, "月"},
        {"DD",     Txt,   2,   2, "日"},
        {"HH",     Txt,   2,   2, "時"},
        {"HM",     Txt,   2,   2, "分"},
        {"RV",     Int,   0,   8, "結果"},
        {"EV",     Int,   0,   8, "期待"},
        {"CV",     Int,   0,   8, "補正"},
        {"TYO",    Txt,  40,  16, "摘要"},
    }},
    {6, "MST", "AAFXL", "FX銘柄一覧", {
        {"CNT",    Int,   0,   6, "行番号"},
        {"FID",    Int,   0,   4, "FXID"},
        {"FXNM",   Txt,  40,  16, "FX名"},
        {"RYAK",   Txt,  20,  10, "略称"},
        {"CSVNM",  Txt,  40,  12, "CSVﾌｧｲﾙ名"},
        {"TYO",    Txt,  40,  16, "摘要"},
    }},
    // The FX import fills AFX by position: the order is binding.
    {7, "DAT", "AFX", "FX価格", {
        {"CNT",    Int,   0,   8, "行番号"},
        {"FID",    Int,   0,   4, "FXID"},
        {"FXNM",   Txt,  40,  12, "FX名"},
        {"DYL",    Txt,   4,   4, "年"},
        {"DML",    Txt,   2,   2, "月"},
        {"DDL",    Txt,   2,   2, "日"},
        {"HHL",    Txt,   2,   2, "時"},
        {"HML",    Txt,   2,   2, "分"},
        {"OV",     Int,   0,   8, "始値"},
        {"HV",     Int,   0,   8, "高値"},
        {"LV",     Int,   0,   8, "安値"},
        {"CV",     Int,   0,   8, "終値"},
        {"DYR",    Txt,   4,   4, "年(第2時刻)"},
        {"DMR",    Txt,   2,   2, "月(第2時刻)"},
        {"DDR",    Txt,   2,   2, "日(第2時刻)"},
        {"HHR",    Txt,   2,   2, "時(第2時刻)"},
        {"HMR",    Txt,   2,   2, "分(第2時刻)"},
        {"TYO",    Txt,  40,  16, "摘要"},
    }},
    {8, "MST", "WEBBRW", "ブラウザ一覧", {
        {"CNT",    Int,   0,   6, "行番号"},
        {"BRNAM",  Txt,  40,  12, "ブラウザ名"},
        {"PASS",   Txt, 255,  70, "プログラムのパス"},
    }},
};

// Dictionary rows carry the same BID throughout: one database, one group.
constexpr int kBid = 1;

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

QString literal(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString number(int value) { return QString::number(value); }

QString numberOrNull(int value) { return value > 0 ? number(value) : QStringLiteral("NULL"); }

} // namespace

const std::vector<TableRow> &tables() { return kTables; }

const TableRow *table(const QString &name)
{
    for (const TableRow &row : kTables)
        if (name == QLatin1String(row.name))
            return &row;
    return nullptr;
}

QString createStatement(const TableRow &table)
{
    QString sql = QStringLiteral(" create table ") + text(table.name) + QStringLiteral(" (");
    for (std::size_t k = 0; k < table.columns.size(); ++k) {
        const ColumnRow &c = table.columns[k];
        if (k > 0)
            sql += QStringLiteral(", ");
        sql += text(c.name) + QLatin1Char(' ') + text(c.kind);
        if (c.length > 0)
            sql += QLatin1Char('(') + number(c.length) + QLatin1Char(')');
    }
    return sql + QStringLiteral(") ");
}

void createTables(Connection &db)
{
    db.execute(createStatement(*table(QStringLiteral("AAATBN"))));
    db.execute(createStatement(*table(QStringLiteral("AAATST"))));
}

void writeRows(Connection &db)
{
    int tableCnt = 0;
    for (const TableRow &t : kTables) {
        ++tableCnt;
        db.execute(QStringLiteral(" insert into AAATBN (CNT, BID, TBID, SKB, TNAM, TYO) values (%1, %2, %3, %4, %5, %6) ")
                       .arg(number(tableCnt), number(kBid), number(t.tbid), literal(text(t.group)),
                            literal(text(t.name)), literal(text(t.remark))));
        // CNT orders the columns within their table and, as TBID * 100 + CID,
        // is unique over all of AAATST.
        int cid = 0;
        for (const ColumnRow &c : t.columns) {
            ++cid;
            db.execute(QStringLiteral(" insert into AAATST (CNT, BID, TBID, CID, CNAM, KT, LN, DPW, TYO)"
                                      " values (%1, %2, %3, %4, %5, %6, %7, %8, %9) ")
                           .arg(number(t.tbid * 100 + cid), number(kBid), number(t.tbid), number(cid),
                                literal(text(c.name)), literal(text(c.kind)), numberOrNull(c.length),
                                numberOrNull(c.width), literal(text(c.remark))));
        }
    }
}

void create(Connection &db)
{
    TransactionGuard guard(db, TransactionGuard::Transaction);
    createTables(db);
    writeRows(db);
    guard.commit();
}

void createFile(const QString &path)
{
    Connection db;
    db.open(path);
    create(db);
    db.close();
}

void createNewFile(const QString &path)
{
    // The file is made empty, and only when it is not there: a file that
    // appears meanwhile is neither opened nor removed.
    QFile made(path);
    if (!made.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (made.exists())
            throw FileError(QStringLiteral("%1 は既にあります。上書きしません。").arg(path));
        throw FileError(QStringLiteral("%1 を作成できません: %2").arg(path, made.errorString()));
    }
    made.close();
    try {
        createFile(path);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

} // namespace StandardDictionary
