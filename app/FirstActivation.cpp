// The first activation of the window: connect, create the missing tables,
// fill the pages, put the focus into the indicator name field and load the
// browser list.
#include "Panel.h"
#include "VostrelF.h"
#include <QLineEdit>
#include <QTabWidget>

void TVostrelF::FormActivate(QObject *)
{
    if (A00P->caption() != QLatin1String("A00P"))
        return;
    uqCtbl(4);
    uqCtbl(1);
    uda(1);
    udb(1);
    pc->setCurrentWidget(ats);
    a102knE->setFocus();
    uqWeb(1);
}
