#include "PageControl.h"
#include <QPaintEvent>
#include <QStylePainter>
#include <QStyleOptionTab>

PageTabBar::PageTabBar(QWidget *parent) : QTabBar(parent)
{
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
}

void PageTabBar::paintEvent(QPaintEvent *event)
{
    if (!drawTab_) {
        QTabBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    auto drawOne = [&](int index) {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        if (!option.rect.intersects(event->rect()))
            return;
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        canvas_ = &painter;
        drawTab_(this, index, option.rect, index == currentIndex());
        canvas_ = nullptr;
    };
    // The active tab last, so that its shape lies over its neighbours'.
    for (int index = 0; index < count(); ++index)
        if (index != currentIndex())
            drawOne(index);
    if (currentIndex() >= 0)
        drawOne(currentIndex());
}

PageControl::PageControl(QWidget *parent) : QTabWidget(parent), tabs_(new PageTabBar)
{
    setTabBar(tabs_);
}
