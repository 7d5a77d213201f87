// The entry panel: reset, new release, correction, and registration.
#include "app/VostrelF.h"

void TVostrelF::uda(int) {}
void TVostrelF::a114rgBClick(QObject *) {}
void TVostrelF::a114rgBKeyDown(QObject *, int &, Qt::KeyboardModifiers) {}
