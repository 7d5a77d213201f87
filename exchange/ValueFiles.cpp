// Writing the releases to value files and reading them back.
#include "app/VostrelF.h"

void TVostrelF::a203cwBClick(QObject *) {}
void TVostrelF::a204crBClick(QObject *) {}
