#pragma once
#include <QProxyStyle>

// "Windows10 Dark": the Fusion style with a dark palette.
class DarkStyle : public QProxyStyle {
    Q_OBJECT
public:
    DarkStyle();

    QPalette standardPalette() const override;
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override;
    void polish(QWidget *widget) override;
    void unpolish(QWidget *widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    // The face of the page tabs. The window writes the captions of the tabs
    // in red and black on it, so it is kept light enough for both.
    static QColor tabFace();
};
