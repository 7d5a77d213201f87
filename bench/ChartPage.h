#pragma once
#include "app/VostrelF.h"
#include "store/Tdm.h"
#include <QCoreApplication>
#include <QTabWidget>

// The window over the working folder, bound to dm, shown, activated (the
// first activation runs) and on its chart page.
inline void showChartPage(TVostrelF &w, Tdm &dm)
{
    w.bindDataModule(&dm);
    w.resize(1000, 700);
    w.show();
    w.activateWindow();
    QCoreApplication::processEvents();
    w.pc->setCurrentWidget(w.cts);
    QCoreApplication::processEvents();
}
