#include "StoreRoutines.h"
#include "Boxes.h"
#include "ColumnKind.h"
#include "Errors.h"
#include "NumberLiteral.h"
#include "Tdm.h"
#include "TextCut.h"
#include "TransactionGuard.h"
#include "WholeNumber.h"
#include <QDir>
#include <QRegularExpression>

namespace {

// A quote inside a value is doubled, so the value is stored as typed and is
// never read as statement text.
QString quoteInner(QString text)
{
    return text.replace(QLatin1Char('\''), QLatin1String("''"));
}

// Whether a column of the dictionary kind KT is a text column, whose values
// the builder quotes; all others are written unquoted.
bool isTextKind(const QString &kind)
{
    return ColumnKind::of(kind) == ColumnKind::Kind::Text;
}

} // namespace

void StoreRoutines::clearValueSlots()
{
    for (int i = kFirstValueSlot; i <= kSlots; ++i)
        sa[i].clear();
}

Tdm &StoreRoutines::dm() const
{
    if (!dm_)
        throw DatabaseError(QStringLiteral("データモジュールがありません"));
    return *dm_;
}

// ---------------------------------------------------------------- connection

void StoreRoutines::uqCtbl(int id)
{
    stdb = QStringLiteral("csq");
    switch (id) {
    case 4: openConnection(); break;
    case 1: checkTables(); break;
    case 2: ensureTable(); break;
    default: break;
    }
}

void StoreRoutines::openConnection()
{
    dm().csq.close();
    const QString sd = QDir::currentPath() + QStringLiteral("/SQDB.DB");
    dm().csq.open(sd);
}

void StoreRoutines::checkTables()
{
    Dataset &qa = *dm().qa;
    qa.setSql(QStringLiteral(" select * from AAATBN order by CNT "));
    qa.open();
    while (!qa.eof()) {
        if (WholeNumber::parseOrZero(qa.text(QStringLiteral("TBID"))) >= 4) {
            stnm = qa.text(QStringLiteral("TNAM"));
            uqCtbl(2);
        }
        qa.next();
    }
}

void StoreRoutines::ensureTable()
{
    sqw = QStringLiteral("select COUNT(*) as CNT from sqlite_master  where type = 'table' and name = '")
          + quoteInner(stnm) + QStringLiteral("' ");
    Dataset &qw = *dm().qw;
    qw.setSql(sqw);
    qw.open();
    if (WholeNumber::parseOrZero(qw.text(QStringLiteral("CNT"))) <= 0) {
        ucSql(6);
        uExSql();
    }
}

// ---------------------------------------------------------------- dictionary

void StoreRoutines::uqTst(int id)
{
    if (id == 2) {
        lookUpTable();
    } else if (id == 1) {
        lookUpTable();
        loadColumnRows();
    }
}

void StoreRoutines::lookUpTable()
{
    const QString sw = QStringLiteral(" where TNAM = '") + quoteInner(stnm) + QStringLiteral("' ");
    const QString sq = QStringLiteral(" select * from AAATBN ") + sw;
    Dataset &qq = *dm().qq;
    qq.setSql(sq);
    if (lookup_.holdsTable(dm().csq, stnm)) {
        stid = lookup_.tableId();
        return;
    }
    lookup_.forget();
    qq.open();
    if (!qq.isEmpty()) {
        stid = qq.text(QStringLiteral("TBID"));
        qq.close();
        lookup_.readTable(dm().csq, stnm, stid);
    } else {
        Boxes::current().message(stnm + QStringLiteral(" ﾃｰﾌﾞﾙ名が見つかりません"));
    }
}

void StoreRoutines::loadColumnRows()
{
    const QString sw = QStringLiteral(" where TBID = ") + stid + QStringLiteral(" order by CNT ");
    const QString sq = QStringLiteral(" select * from AAATST ") + sw;
    Dataset &qst = *dm().qst;
    Connection &csq = dm().csq;
    if (lookup_.holdsColumns(csq, stnm) && qst.isOpen() && qst.sql() == sq) {
        qst.first();
        return;
    }
    const bool tableHolds = lookup_.holdsTable(csq, stnm);
    qst.setSql(sq);
    qst.open();
    if (tableHolds)
        lookup_.readColumns(csq);
}

std::vector<PreparedInsert::Column> StoreRoutines::insertColumns()
{
    uqTst(1);
    std::vector<PreparedInsert::Column> columns;
    Dataset &qst = *dm().qst;
    for (qst.first(); !qst.eof(); qst.next())
        columns.push_back({columnName(), isTextKind(qst.text(QStringLiteral("KT"))),
                           WholeNumber::parseOrZero(qst.text(QStringLiteral("LN")))});
    return columns;
}

void StoreRoutines::applyDisplayWidths(Dataset &query)
{
    Dataset &qst = *dm().qst;
    qst.first();
    for (int k = 0; !qst.eof(); ++k) {
        if (k < query.fieldCount())
            query.setDisplayWidth(k, WholeNumber::parseOrZero(qst.text(QStringLiteral("DPW"))));
        qst.next();
    }
}

// ---------------------------------------------------------------- builder

void StoreRoutines::ucSql(int id)
{
    if (id != 7)
        refusal_.clear();
    switch (id) {
    case 1: buildSelect(); break;
    case 2: buildInsert(); break;
    case 3: buildUpdate(); break;
    case 6: buildCreate(); break;
    case 7: formatValue(); break;
    default: break;
    }
}

QString StoreRoutines::columnName() const
{
    return dm().qst->text(QStringLiteral("CNAM"));
}

// Inserts and updates carry one value slot per column: 50 at the most.
void StoreRoutines::requireValueSlots()
{
    Dataset &qst = *dm().qst;
    qst.fetchAll();
    if (qst.rowCount() > kSlots - kFirstValueSlot + 1)
        throw DatabaseError(QStringLiteral("テーブル '%1' の列が %2 を超えています (%3 列)。追加・更新の文を作れません")
                                .arg(stnm)
                                .arg(kSlots - kFirstValueSlot + 1)
                                .arg(qst.rowCount()));
    qst.first();
}

void StoreRoutines::buildSelect()
{
    uqTst(1);
    Dataset &qst = *dm().qst;
    qst.first();
    sqw = QStringLiteral(" select ") + columnName();
    qst.next();
    while (!qst.eof()) {
        sqw += QStringLiteral(", ") + columnName();
        qst.next();
    }
    sqw += QStringLiteral(" from ") + stnm + swh;
}

void StoreRoutines::buildInsert()
{
    uqTst(1);
    requireValueSlots();
    Dataset &qst = *dm().qst;
    sqw = QStringLiteral(" insert into ") + stnm + QStringLiteral(" ( ") + columnName();
    sa[9] = sa[11];
    ucSql(7);
    sa[1] = sa[9];
    qst.next();
    for (int i = 12; !qst.eof(); ++i) {
        sa[9] = sa[i];
        ucSql(7);
        sa[i] = sa[9];
        sqw += QStringLiteral(", ") + columnName();
        sa[1] += QStringLiteral(", ") + sa[i];
        qst.next();
    }
    sqw += QStringLiteral(" ) values ( ") + sa[1] + QStringLiteral(" ) ");
    dropRefusedStatement();
    builtInsert_ = sqw;
    insertTable_ = stnm;
}

void StoreRoutines::buildUpdate()
{
    uqTst(1);
    requireValueSlots();
    Dataset &qst = *dm().qst;
    sqw = QStringLiteral(" update ") + stnm + QStringLiteral(" set ");
    for (int i = 11; !qst.eof(); ++i) {
        sa[9] = sa[i];
        ucSql(7);
        sa[i] = sa[9];
        if (i > 11)
            sqw += QStringLiteral(", ");
        sqw += columnName() + QStringLiteral(" = ") + sa[i];
        qst.next();
    }
    sqw += swh;
    dropRefusedStatement();
}

// A statement with a refused value is no statement: the executor refuses it
// with the reason, as the database refuses a statement.
void StoreRoutines::dropRefusedStatement()
{
    if (!refusal_.isEmpty())
        sqw.clear();
}

void StoreRoutines::buildCreate()
{
    uqTst(1);
    Dataset &qst = *dm().qst;
    sqw = QStringLiteral(" create table if not exists ") + stnm + QStringLiteral("(");
    qst.first();
    for (int k = 0; !qst.eof(); ++k) {
        if (k > 0)
            sqw += QStringLiteral(", ");
        sa[3] = columnName() + QStringLiteral(" ");
        sa[4] = qst.text(QStringLiteral("KT"));
        if (isTextKind(sa[4]))
            sa[4] = QStringLiteral("nchar ");
        sa[5] = qst.text(QStringLiteral("LN"));
        sqw += QStringLiteral(" ") + sa[3] + sa[4];
        if (!sa[5].isEmpty())
            sqw += QStringLiteral("(") + sa[5] + QStringLiteral(") ");
        qst.next();
    }
    sqw += QStringLiteral(") ");
}

void StoreRoutines::formatValue()
{
    Dataset &qst = *dm().qst;
    sa[7] = qst.text(QStringLiteral("KT"));
    if (isTextKind(sa[7])) {
        ucNul(sa[9], 2, WholeNumber::parseOrZero(qst.text(QStringLiteral("LN"))));
    } else if (sa[9].isEmpty() || NumberLiteral::accepts(sa[9])) {
        ucNul(sa[9], 1, 0);
    } else if (refusal_.isEmpty()) {
        // Written unquoted, anything but a number would be read as part of
        // the statement: "5--" comments out its WHERE, "1+1" is computed.
        refusal_ = QStringLiteral("列 %1 の値 '%2' は数値ではありません。数値か空欄だけを書き込めます")
                       .arg(columnName(), sa[9]);
    }
}

void StoreRoutines::ucNul(QString &st, int id, int il)
{
    if (st.isEmpty()) {
        st = QStringLiteral("NULL");
        return;
    }
    if (id == 2) {
        st = TextCut::toLength(st, il);
        st = QLatin1Char('\'') + quoteInner(st) + QLatin1Char('\'');
    }
}

// ---------------------------------------------------------------- executor

void StoreRoutines::executeOrRaise()
{
    if (sqw.isEmpty())
        throw DatabaseError(refusal_.isEmpty() ? QStringLiteral("実行する文がありません") : refusal_);
    // A savepoint around this statement alone: a failure undoes only it,
    // also inside a transaction a caller holds (an import).
    Connection &csq = dm().csq;
    const bool lookupHolds = lookup_.holds(csq) && isOwnInsert();
    TransactionGuard guard(csq, "ex_sql");
    const quint64 before = csq.statementsStarted();
    csq.execute(sqw);
    const bool alone = csq.statementsStarted() == before + 1; // no trigger program ran
    guard.commit();
    // A row of a data table, written by a statement that started nothing
    // else, changes no look-up: the next line's statement rewinds it.
    if (lookupHolds && alone)
        lookup_.pass(csq);
}

// The statement is the insert the builder made last, into a table that is
// named plainly and is none of the dictionary's.
bool StoreRoutines::isOwnInsert() const
{
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return !builtInsert_.isEmpty() && sqw == builtInsert_ && plainName.match(insertTable_).hasMatch()
           && insertTable_.compare(QLatin1String("AAATBN"), Qt::CaseInsensitive) != 0
           && insertTable_.compare(QLatin1String("AAATST"), Qt::CaseInsensitive) != 0;
}

bool StoreRoutines::insertSlotsOrRefuse()
{
    try {
        ucSql(2);
        executeOrRaise();
    } catch (const DatabaseError &) {
        if (!dm().csq.inTransaction())
            throw;
        return false;
    } catch (const ConversionError &) {
        return false;
    }
    return true;
}

void StoreRoutines::uExSql()
{
    try {
        executeOrRaise();
    } catch (const DatabaseError &) {
        // The executor reports nothing: the caller goes on as after success.
    }
}
