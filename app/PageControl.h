#pragma once
#include <QTabBar>
#include <QTabWidget>
#include <functional>

// The tab row of the page control. The style draws each tab's shape; the
// owner then draws the tab itself on the same painter, the tab bar's canvas,
// which it finds with its background brush and font already set.
class PageTabBar : public QTabBar {
    Q_OBJECT
public:
    // Control, tab index, tab rectangle, whether it is the active tab.
    using DrawTab = std::function<void(PageTabBar *, int, const QRect &, bool)>;

    explicit PageTabBar(QWidget *parent = nullptr);

    void setDrawTab(DrawTab drawTab) { drawTab_ = std::move(drawTab); update(); }
    // The painter of the tab being drawn; null outside of drawing.
    QPainter *canvas() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DrawTab drawTab_;
    QPainter *canvas_ = nullptr;
};

// A page control whose tabs are drawn by its owner.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);
    PageTabBar *pageTabBar() const { return tabs_; }

private:
    PageTabBar *tabs_;
};
