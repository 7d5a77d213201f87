#include "WebView.h"

WebView::WebView(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
}

void WebView::navigate(const QString &)
{
}
