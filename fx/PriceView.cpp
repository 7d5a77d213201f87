// The FX list (uqf1), the prices of one instrument (uqf2), the price page's
// start (udb) and stepping through the instruments in b103fnE.
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include <QLineEdit>

void TVostrelF::uqf1(int id)
{
    stnm = QStringLiteral("AAFXL");
    swh = QStringLiteral(" order by CNT ");
    if (id != 1)
        return;
    ucSql(1);
    Dataset &qf1 = *dm().qf1;
    qf1.close();
    qf1.setSql(sqw);
    qf1.open();
    applyDisplayWidths(qf1);
}

// The instrument's FID goes into the statement as it stands: with an empty
// FX list there is none, and the database refuses the statement.
void TVostrelF::uqf2(int id)
{
    stnm = QStringLiteral("AFX");
    swh = QStringLiteral(" where FID = ") + dm().qf1->text(QStringLiteral("FID"))
          + QStringLiteral(" order by DYL, DML, DDL, HHL, HML ");
    if (id != 1)
        return;
    ucSql(1);
    Dataset &qf2 = *dm().qf2;
    qf2.setSql(sqw);
    qf2.open();
    applyDisplayWidths(qf2);
}

// The prices of one instrument in date order come from this index without
// being sorted, so a step to an instrument with many prices shows its first
// rows at once. Made with the tables, and like their creates it fails
// silently when AFX is missing.
void TVostrelF::createPriceIndex()
{
    sqw = QStringLiteral(" create index if not exists AFX_FID_DATE on AFX (FID, DYL, DML, DDL, HHL, HML) ");
    uExSql();
}

void TVostrelF::udb(int id)
{
    if (id != 1)
        return;
    uqf1(1);
    b103fnE->setText(dm().qf1->text(QStringLiteral("RYAK")));
    uqf2(1);
}

// Up steps forward in the list and Down backward, both wrapping round.
void TVostrelF::b103fnEKeyDown(QObject *, int &Key, Qt::KeyboardModifiers)
{
    Dataset &qf1 = *dm().qf1;
    if (Key == Qt::Key_Up) {
        qf1.next();
        if (qf1.eof())
            qf1.first();
    } else if (Key == Qt::Key_Down) {
        qf1.prior();
        if (qf1.bof())
            qf1.last();
    } else {
        return;
    }
    Key = 0;
    b103fnE->setText(qf1.text(QStringLiteral("CSVNM")));
    uqf2(1);
}
