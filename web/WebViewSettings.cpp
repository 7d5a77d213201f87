#include "WebViewSettings.h"
#include <QRegularExpression>
#include <QStandardPaths>

WebViewSettings WebViewSettings::browserPage()
{
    WebViewSettings settings;
    settings.userDataFolder = expandFolder(QStringLiteral("%LOCALAPPDATA%\\bds.exe.WebView2"));
    settings.targetCompatibleBrowserVersion = QStringLiteral("117.0.2045.28");
    settings.allowSingleSignOnUsingOSPrimaryAccount = false;
    return settings;
}

QString WebViewSettings::environmentVariable(const QString &name)
{
    const QString value = qEnvironmentVariable(name.toLocal8Bit().constData());
    if (value.isEmpty() && name.compare(QLatin1String("LOCALAPPDATA"), Qt::CaseInsensitive) == 0)
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return value;
}

QString WebViewSettings::expandFolder(const QString &pattern, const std::function<QString(const QString &)> &variable)
{
    static const QRegularExpression reference(QStringLiteral("%([^%]+)%"));
    QString expanded;
    qsizetype from = 0;
    for (auto it = reference.globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString value = variable(match.captured(1));
        expanded += pattern.mid(from, match.capturedStart() - from);
        expanded += value.isEmpty() ? match.captured() : value;
        from = match.capturedEnd();
    }
    expanded += pattern.mid(from);
    return expanded.replace(QLatin1Char('\\'), QLatin1Char('/'));
}
