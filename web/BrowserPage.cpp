// The browser page.
#include "app/VostrelF.h"

void TVostrelF::e102agBClick(QObject *) {}
