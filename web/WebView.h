#pragma once
#include <QWidget>

// The embedded web view of the browser page. The browser engine is started
// at the first navigation, not before.
class WebView : public QWidget {
    Q_OBJECT
public:
    enum class State { NotStarted, Starting, Ready, Failed };

    explicit WebView(const QString &name, QWidget *parent = nullptr);
    State state() const { return state_; }

    // Asks the view to show the page at url.
    void navigate(const QString &url);

private:
    State state_ = State::NotStarted;
};
