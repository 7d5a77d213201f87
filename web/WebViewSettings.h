#pragma once
#include <QString>
#include <functional>

// What the web view is started with. The profile keeps cookies and cache in
// the user data folder; the version and single sign-on are the options the
// browser environment is asked for, kept here so that they can be read back.
struct WebViewSettings {
    QString userDataFolder;
    QString targetCompatibleBrowserVersion;
    bool allowSingleSignOnUsingOSPrimaryAccount = true;

    // The settings of the browser page, its folder expanded now.
    static WebViewSettings browserPage();

    // Replaces every %NAME% by the variable's value, as the platform does:
    // LOCALAPPDATA, when it is not set, by the user's local data folder; any
    // other unknown name stays as written. "\" becomes "/".
    static QString expandFolder(const QString &pattern,
                                const std::function<QString(const QString &)> &variable = environmentVariable);
    static QString environmentVariable(const QString &name);
};
