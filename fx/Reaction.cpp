// The reaction table: every release of the current indicator beside how
// the price of the current FX instrument moved after it.
#include "ReactionDialog.h"
#include "ReactionSource.h"
#include "app/VostrelF.h"
#include "store/Errors.h"
#include "store/Tdm.h"

namespace {

// A select of stnm + swh that reads only the named columns, in the
// dictionary's order and with the dictionary's names; a long read of a
// wide table steps faster for it. Raises DatabaseError for a name the
// dictionary does not describe.
void selectColumns(StoreRoutines &r, const QStringList &names)
{
    r.uqTst(1);
    Dataset &qst = *r.dm().qst;
    QStringList columns;
    for (qst.first(); !qst.eof(); qst.next()) {
        const QString column = qst.text(QStringLiteral("CNAM"));
        if (names.contains(column, Qt::CaseInsensitive))
            columns << column;
    }
    for (const QString &name : names)
        if (!columns.contains(name, Qt::CaseInsensitive))
            throw DatabaseError(QStringLiteral("%1: 列 '%2' がデータ辞書にありません").arg(r.stnm, name));
    r.sqw = QStringLiteral(" select ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" from ") + r.stnm + r.swh;
}

} // namespace

void TVostrelF::c13rtBClick(QObject *)
{
    udReaction();
}

// The rows come from selects built from the dictionary, each stepped once;
// the dialog then matches them as often as its fields change.
void TVostrelF::udReaction()
{
    Dataset &qe1 = *dm().qe1;
    Dataset &qf1 = *dm().qf1;
    stnm = QStringLiteral("AFX");
    swh = QStringLiteral(" where FID = ") + qf1.text(QStringLiteral("FID")) + QLatin1Char(' ');
    selectColumns(*this, {QStringLiteral("DYL"), QStringLiteral("DML"), QStringLiteral("DDL"), QStringLiteral("HHL"),
                          QStringLiteral("HML"), QStringLiteral("CV")});
    std::vector<Reaction::PriceBar> prices = Reaction::readPrices(dm().csq, sqw);
    stnm = QStringLiteral("AINDX");
    swh = QStringLiteral(" where IID = ") + qe1.text(QStringLiteral("IID"))
          + QStringLiteral(" order by DY, DM, DD, HH, HM, CNT ");
    ucSql(1);
    std::vector<Reaction::Release> releases = Reaction::readReleases(dm().csq, sqw);
    Reaction::sortByTime(prices);
    Reaction::sortByTime(releases);

    if (!reaction_)
        reaction_ = new ReactionDialog(this, [this](const std::function<void()> &handler) { return runHandler(handler); });
    const QString heading = QStringLiteral("経済指標(%1)の発表と FX (%2)の価格")
                                .arg(qe1.text(QStringLiteral("RYAK")), qf1.text(QStringLiteral("RYAK")));
    reaction_->load(heading, qe1.text(QStringLiteral("CSVNM")), std::move(prices), std::move(releases));
    reaction_->show();
    reaction_->raise();
    reaction_->activateWindow();
}
