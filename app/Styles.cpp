#include "Styles.h"
#include "DarkStyle.h"
#include "store/Boxes.h"
#include <QApplication>

namespace Styles {
namespace {

struct Entry {
    const char *name; // UTF-8, matched exactly
    QStyle *(*create)();
};

const Entry registry[] = {
    {"Windows10 Dark", [] { return static_cast<QStyle *>(new DarkStyle); }},
};

} // namespace

QStringList names()
{
    QStringList list;
    for (const Entry &entry : registry)
        list << QString::fromUtf8(entry.name);
    return list;
}

bool apply(const QString &name)
{
    for (const Entry &entry : registry) {
        if (name != QString::fromUtf8(entry.name))
            continue;
        QStyle *style = entry.create();
        QApplication::setStyle(style); // the application owns it from here
        QApplication::setPalette(style->standardPalette());
        return true;
    }
    Boxes::current().error(QStringLiteral("スタイル '%1' が見つかりません").arg(name));
    return false;
}

} // namespace Styles
