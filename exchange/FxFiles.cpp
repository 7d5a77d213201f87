// Reading the FX price files.
#include "app/VostrelF.h"

void TVostrelF::b105cvrBClick(QObject *) {}
