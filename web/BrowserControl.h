#pragma once
#include <QWidget>

class QUrl;

// The browser inside the web view. Made when the view starts; start() then
// reports once, by ready() or failed(), whether it can show pages.
class BrowserControl : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void start() = 0;
    virtual void load(const QUrl &url) = 0;

signals:
    void ready();
    void failed();
};
