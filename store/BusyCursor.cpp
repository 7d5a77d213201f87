#include "BusyCursor.h"
#include <QCursor>
#include <QGuiApplication>

namespace {
int depth = 0; // only the outermost one sets and restores the pointer
}

BusyCursor::BusyCursor()
{
    if (depth++ == 0 && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        shown_ = true;
    }
}

BusyCursor::~BusyCursor()
{
    --depth;
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}
