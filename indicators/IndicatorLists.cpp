// The indicator list (uqe1) and the releases of one indicator (uqe2).
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include "store/Errors.h"
#include "store/TransactionGuard.h"
#include "store/WholeNumber.h"
#include <QDir>
#include <QScopeGuard>
#include <QLabel>
#include <QLineEdit>
#include <limits>

namespace {

// The name of the indicator with the id given, looked up in the indicator
// list without moving it: a release's name always belongs to its id, also
// after the list grid has moved the list.
QString indicatorName(Dataset &qe1, const QString &iid)
{
    const int idField = qe1.fieldIndex(QStringLiteral("IID"));
    const int nameField = qe1.fieldIndex(QStringLiteral("IXNM"));
    if (idField < 0 || nameField < 0)
        return QString();
    qe1.fetchAll();
    for (int row = 0; row < qe1.rowCount(); ++row)
        if (qe1.storedTextAt(row, idField) == iid)
            return qe1.storedTextAt(row, nameField);
    return QString();
}

} // namespace

void TVostrelF::uqe1(int id)
{
    if (id != 1)
        return;
    stnm = QStringLiteral("AAEIL");
    swh = QStringLiteral(" order by CNT ");
    // A folder that cannot be made is passed over: the list loads all the same.
    QDir().mkpath(QDir::currentPath() + QStringLiteral("/経済指標/CSV/00経済指標"));
    ucSql(1);
    Dataset &qe1 = *dm().qe1;
    qe1.close();
    qe1.setSql(sqw);
    qe1.open();
    applyDisplayWidths(qe1);
}

void TVostrelF::uqe2(int id)
{
    stnm = QStringLiteral("AINDX");
    const QString iid = a118iidL->text();
    Dataset &qe2 = *dm().qe2;

    auto fillSlots = [&](const QString &cnt) {
        clearValueSlots();
        sa[11] = cnt;
        sa[12] = iid;
        sa[13] = indicatorName(*dm().qe1, iid);
        fillReleaseSlots();
    };
    // The release is stored: whatever the reload does, the panel goes back
    // to new mode, and a reload that fails is reported as its own error.
    auto finishRegistration = [&] {
        const auto toTheNameField = qScopeGuard([&] { a102knE->setFocus(); });
        newModeWithoutValues();
        uqe2(1);
        uda(2);
    };

    switch (id) {
    case 1:
        // Without any indicator there is no id: the value list opens empty.
        swh = QStringLiteral(" where IID = ") + (iid.isEmpty() ? QStringLiteral("NULL") : iid)
              + QStringLiteral(" order by DY, DM, DD, HH, HM ");
        ucSql(1);
        qe2.setSql(sqw);
        qe2.open();
        qe2.last();
        applyDisplayWidths(qe2);
        break;
    case 2: {
        // A release that cannot be stored is reported and nothing is
        // written; the panel keeps its mode, its texts and its last row
        // number, whichever step failed.
        const QString lastNumber = a117cnL->text();
        try {
            uqe2(4);
            fillSlots(a117cnL->text());
            ucSql(2);
            executeOrRaise();
        } catch (const AppError &error) {
            a117cnL->setText(lastNumber);
            throw DatabaseError(QStringLiteral("登録できませんでした\n") + error.text());
        }
        finishRegistration();
        break;
    }
    case 3: {
        // A correction rewrites exactly one release: when its number is
        // carried by none or by several, nothing changes.
        const QString cnt = a117cnL->text();
        try {
            fillSlots(cnt);
            swh = QStringLiteral(" where CNT = ") + sa[11] + QStringLiteral("  ");
            ucSql(3);
            TransactionGuard guard(dm().csq, "correction");
            executeOrRaise();
            if (const int rows = dm().csq.changes(); rows != 1)
                throw DatabaseError(QStringLiteral("行番号 %1 のレコードは %2 件あります。1 件のときだけ修正できます")
                                        .arg(cnt)
                                        .arg(rows));
            guard.commit();
        } catch (const AppError &error) {
            throw DatabaseError(QStringLiteral("修正できませんでした\n") + error.text());
        }
        finishRegistration();
        break;
    }
    case 4: {
        sqw = QStringLiteral("select Max(CNT) as CNT from ") + stnm;
        Dataset &qa = *dm().qa;
        qa.close();
        qa.setSql(sqw);
        qa.open();
        // Over an empty table the first release gets number 1.
        const int largest = WholeNumber::parseOrZero(qa.text(QStringLiteral("CNT")));
        if (largest == std::numeric_limits<int>::max())
            throw DatabaseError(QStringLiteral("最大の行番号が %1 のため、これ以上の行番号を採番できません").arg(largest));
        a117cnL->setText(QString::number(largest + 1));
        qa.close();
        break;
    }
    default:
        break;
    }
}
