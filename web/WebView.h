#pragma once
#include "WebViewSettings.h"
#include <QWidget>
#include <functional>

class BrowserControl;

// The embedded web view of the browser page. The browser is started at the
// first navigation, not before, and only once: after a failed start the view
// stays empty and later navigations do nothing.
class WebView : public QWidget {
    Q_OBJECT
public:
    enum class State { NotStarted, Starting, Ready, Failed };

    // Makes the browser control inside the view; nullptr when it cannot be
    // created. The program's factory makes the WebEngine one.
    using ControlFactory = std::function<BrowserControl *(const WebViewSettings &, QWidget *parent)>;
    static void setControlFactory(ControlFactory factory);
    static ControlFactory controlFactory();
    static BrowserControl *engineControl(const WebViewSettings &settings, QWidget *parent);

    explicit WebView(const QString &name, QWidget *parent = nullptr);
    State state() const { return state_; }
    // The settings the browser was started with.
    const WebViewSettings &settings() const { return settings_; }
    // The URL to load once the browser is ready.
    const QString &rememberedUrl() const { return rememberedUrl_; }
    BrowserControl *control() const { return control_; }

    // Asks the view to show the page at url. An empty, blank or refused URL
    // changes nothing and reports nothing.
    void navigate(const QString &url);

private:
    void start();
    void becomeReady();
    void load(const QString &url);

    State state_ = State::NotStarted;
    WebViewSettings settings_;
    QString rememberedUrl_;
    BrowserControl *control_ = nullptr;
};
