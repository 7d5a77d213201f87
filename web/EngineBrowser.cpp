#include "EngineBrowser.h"
#include <QDir>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

EngineBrowser::EngineBrowser(const WebViewSettings &settings, QWidget *parent)
    : BrowserControl(parent), settings_(settings)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

// The page goes before its profile, the view before its page.
EngineBrowser::~EngineBrowser()
{
    delete view_;
    delete page_;
    delete profile_;
}

// A folder that cannot be made leaves the browser without its profile, as a
// missing runtime would: it fails without a word. Otherwise the engine is
// ready once its first, empty page has loaded.
void EngineBrowser::start()
{
    if (!QDir().mkpath(settings_.userDataFolder)) {
        emit failed();
        return;
    }
    profile_ = new QWebEngineProfile(QStringLiteral("bds.exe.WebView2"));
    profile_->setPersistentStoragePath(settings_.userDataFolder);
    profile_->setCachePath(settings_.userDataFolder + QStringLiteral("/Cache"));
    connect(profile_, &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest *download) { download->cancel(); });

    page_ = new QWebEnginePage(profile_);
    page_->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    connect(page_, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) { page_->load(request.requestedUrl()); });
    connect(page_, &QWebEnginePage::loadFinished, this, &EngineBrowser::startFinished);
    connect(page_, &QWebEnginePage::renderProcessTerminated, this, [this] { startFinished(false); });

    view_ = new QWebEngineView;
    view_->setPage(page_);
    layout()->addWidget(view_);
    page_->load(QUrl(QStringLiteral("about:blank")));
}

void EngineBrowser::startFinished(bool ok)
{
    if (started_)
        return;
    started_ = true;
    if (ok)
        emit ready();
    else
        emit failed();
}

void EngineBrowser::load(const QUrl &url)
{
    page_->load(url);
}
