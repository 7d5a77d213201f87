#include "DarkStyle.h"
#include <QStyleFactory>
#include <QTabBar>

DarkStyle::DarkStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
    setObjectName(QStringLiteral("Windows10 Dark"));
}

QColor DarkStyle::tabFace()
{
    return QColor(0xa0, 0xa0, 0xa0);
}

QPalette DarkStyle::standardPalette() const
{
    const QColor face(0x2b, 0x2b, 0x2b);
    const QColor field(0x19, 0x19, 0x19);
    const QColor text(0xf0, 0xf0, 0xf0);
    const QColor dimmed(0x80, 0x80, 0x80);

    QPalette palette;
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, field);
    palette.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    palette.setColor(QPalette::ToolTipBase, QColor(0x3c, 0x3c, 0x3c));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, dimmed);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(0xff, 0x55, 0x55));
    palette.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    palette.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x44));
    palette.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
    palette.setColor(QPalette::Dark, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::Shadow, QColor(0x0a, 0x0a, 0x0a));
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xd7));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x4c, 0xa6, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xb0, 0x8c, 0xff));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, dimmed);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    return palette;
}

// A page of a tab widget stands 4 pixels inside the frame's sides.
QRect DarkStyle::subElementRect(SubElement element, const QStyleOption *option,
                                const QWidget *widget) const
{
    if (element == SE_TabWidgetTabContents) {
        const QRect pane = QProxyStyle::subElementRect(SE_TabWidgetTabPane, option, widget);
        return pane.adjusted(4, 2, -4, -2);
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

void DarkStyle::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
        QPalette palette = tabs->palette();
        palette.setColor(QPalette::Window, tabFace());
        tabs->setPalette(palette);
    }
}

void DarkStyle::unpolish(QWidget *widget)
{
    if (auto *tabs = qobject_cast<QTabBar *>(widget))
        tabs->setPalette(QPalette());
    QProxyStyle::unpolish(widget);
}
