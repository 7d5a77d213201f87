// The first activation of the window: connect, create the missing tables,
// fill the pages, and put the focus into the indicator name field.
#include "Panel.h"
#include "VostrelF.h"

void TVostrelF::FormActivate(QObject *)
{
    if (A00P->caption() != QLatin1String("A00P"))
        return;
    uqCtbl(4);
    uqCtbl(1);
}
