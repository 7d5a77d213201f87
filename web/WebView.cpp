#include "WebView.h"
#include "BrowserControl.h"
#include "EngineBrowser.h"
#include "store/Errors.h"
#include <QUrl>
#include <QVBoxLayout>

namespace {

WebView::ControlFactory &factory()
{
    static WebView::ControlFactory made = WebView::engineControl;
    return made;
}

} // namespace

void WebView::setControlFactory(ControlFactory made)
{
    factory() = made ? std::move(made) : ControlFactory(engineControl);
}

WebView::ControlFactory WebView::controlFactory() { return factory(); }

BrowserControl *WebView::engineControl(const WebViewSettings &settings, QWidget *parent)
{
    return new EngineBrowser(settings, parent);
}

WebView::WebView(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void WebView::navigate(const QString &url)
{
    if (state_ == State::NotStarted)
        start();
    if (state_ == State::Failed)
        return;
    if (!url.trimmed().isEmpty())
        rememberedUrl_ = url;
    if (state_ == State::Ready)
        load(url);
}

void WebView::start()
{
    state_ = State::Starting;
    settings_ = WebViewSettings::browserPage();
    control_ = factory()(settings_, this);
    if (!control_) {
        state_ = State::Failed;
        throw AppError(QStringLiteral("Edge ブラウザ コントロールを作成できませんでした"));
    }
    layout()->addWidget(control_);
    connect(control_, &BrowserControl::ready, this, &WebView::becomeReady);
    connect(control_, &BrowserControl::failed, this, [this] {
        if (state_ != State::Starting)
            return;
        state_ = State::Failed;
        control_->hide();
    });
    control_->start();
}

// Only a start still under way ends ready: a failed one stays failed.
void WebView::becomeReady()
{
    if (state_ != State::Starting)
        return;
    state_ = State::Ready;
    if (!rememberedUrl_.isEmpty())
        load(rememberedUrl_);
}

// The browser takes absolute URLs only; anything else it refuses, and the
// page keeps what it showed.
void WebView::load(const QString &url)
{
    const QUrl target(url);
    if (target.isValid() && !target.isRelative())
        control_->load(target);
}
