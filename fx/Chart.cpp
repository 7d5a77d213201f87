// The price and indicator chart.
#include "app/VostrelF.h"

void TVostrelF::c11gpBClick(QObject *) {}
