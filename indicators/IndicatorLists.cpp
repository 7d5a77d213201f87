// The indicator list (uqe1) and the releases of one indicator (uqe2).
#include "app/VostrelF.h"

void TVostrelF::uqe1(int) {}
void TVostrelF::uqe2(int) {}
