// The browser page: the return to the entry panel and the browser list.
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

// Back to the field from which F12 was pressed; before any F12 the label
// names none, and only the page changes. The page tabs hold the focus while
// the page changes, so that no field of the indicator page takes it on the
// way and runs its handlers.
void TVostrelF::e102agBClick(QObject *)
{
    pc->setFocus();
    pc->setCurrentWidget(ats);
    QLineEdit *const fields[] = {a106dyE, a107dmE, a108ddE, a109hhE, a110hmE, a111rvE, a112evE, a113cvE};
    for (QLineEdit *field : fields) {
        if (e103fmL->text() == field->objectName()) {
            field->setFocus();
            return;
        }
    }
}

void TVostrelF::uqWeb(int id)
{
    if (id != 1)
        return;
    stnm = QStringLiteral("WEBBRW");
    swh.clear();
    ucSql(1);
    Dataset &qd = *dm().qd;
    qd.close();
    qd.setSql(sqw);
    qd.open();
    qd.setDisplayWidth(qd.requireField(QStringLiteral("BRNAM")), 12);
    qd.setDisplayWidth(qd.requireField(QStringLiteral("PASS")), 70);
}
