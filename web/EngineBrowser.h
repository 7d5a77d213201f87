#pragma once
#include "BrowserControl.h"
#include "WebViewSettings.h"

class QWebEngineProfile;
class QWebEnginePage;
class QWebEngineView;

// The browser control over Qt WebEngine, with its profile in the user data
// folder. Pages that ask for a new window open in this one, a page that
// cannot be loaded shows the engine's error page, and downloads are refused.
class EngineBrowser : public BrowserControl {
    Q_OBJECT
public:
    EngineBrowser(const WebViewSettings &settings, QWidget *parent);
    ~EngineBrowser() override;

    void start() override;
    void load(const QUrl &url) override;

    QWebEngineView *view() const { return view_; }

private:
    void startFinished(bool ok);

    WebViewSettings settings_;
    QWebEngineProfile *profile_ = nullptr;
    QWebEnginePage *page_ = nullptr;
    QWebEngineView *view_ = nullptr;
    bool started_ = false;
};
