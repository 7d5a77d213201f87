#pragma once
#include "web/BrowserControl.h"
#include "web/WebView.h"
#include <QStringList>
#include <QUrl>

// A browser control that renders nothing: it counts its starts, records the
// pages it is asked to load, and becomes ready or fails when the test says.
class BrowserStandIn : public BrowserControl {
public:
    using BrowserControl::BrowserControl;
    void start() override { ++starts; }
    void load(const QUrl &url) override { loaded << url.toString(); }
    void becomeReady() { emit ready(); }
    void fail() { emit failed(); }

    int starts = 0;
    QStringList loaded;
};

// Gives every web view made while it lives the browser control of its
// factory: by default the stand-in, so that no test starts the browser
// engine unless it asks for it.
class BrowserScope {
public:
    explicit BrowserScope(WebView::ControlFactory factory = standIn) : previous_(WebView::controlFactory())
    {
        WebView::setControlFactory(std::move(factory));
    }
    ~BrowserScope() { WebView::setControlFactory(previous_); }
    BrowserScope(const BrowserScope &) = delete;
    BrowserScope &operator=(const BrowserScope &) = delete;

    static BrowserControl *standIn(const WebViewSettings &, QWidget *parent) { return new BrowserStandIn(parent); }
    static BrowserControl *none(const WebViewSettings &, QWidget *) { return nullptr; }

private:
    WebView::ControlFactory previous_;
};
