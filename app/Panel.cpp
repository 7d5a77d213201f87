#include "Panel.h"
#include <QPainter>

Panel::Panel(const QString &name, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
}

void Panel::setCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void Panel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (caption_.isEmpty())
        return;
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignCenter, caption_);
}
