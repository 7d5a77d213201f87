// The page control's tabs, drawn by the window.
#include "PageControl.h"
#include "VostrelF.h"
#include <QPainter>

// The style has drawn the tab's shape; the tab bar's canvas still carries the
// background brush and the font it was handed, and only the pen is set here.
void TVostrelF::pcDrawTab(PageTabBar *Control, int TabIndex, const QRect &Rect, bool Active)
{
    QPainter *canvas = Control->canvas();
    if (!canvas)
        return;
    canvas->setPen(Active ? QColor(255, 0, 0) : QColor(0, 0, 0));
    canvas->fillRect(Rect, canvas->background());
    const QRect textArea(Rect.left() + 6, Rect.top() + 3, Rect.width(), Rect.height());
    canvas->drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     Control->tabText(TabIndex));
}
