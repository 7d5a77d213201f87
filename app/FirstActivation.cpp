// The first activation of the window: connect, create the missing tables,
// fill the pages, put the focus into the indicator name field and load the
// browser list.
#include "Panel.h"
#include "VostrelF.h"
#include "store/Errors.h"
#include "store/Tdm.h"
#include <QLineEdit>
#include <QTabWidget>

void TVostrelF::FormActivate(QObject *)
{
    if (A00P->caption() != QLatin1String("A00P"))
        return;
    // Should connecting or creating the tables fail, whatever needs the
    // database until the next start says why it could not be opened.
    try {
        uqCtbl(4);
        uqCtbl(1);
    } catch (const AppError &error) {
        dm().csq.setStartFailure(error.text());
        throw;
    }
    createPriceIndex();
    uda(1);
    udb(1);
    pc->setCurrentWidget(ats);
    a102knE->setFocus();
    uqWeb(1);
}
