#include "Fonts.h"
#include <QStringList>

namespace Fonts {

QString windowFamily()
{
    return QStringLiteral("ＭＳ ゴシック");
}

void install()
{
    // IPAGothic comes with Debian's fonts-ipafont-gothic; the others are
    // taken, in this order, where it is missing.
    static const QStringList gothics = {
        QStringLiteral("IPAGothic"),       QStringLiteral("IPAexGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans Mono CJK JP"),
        QStringLiteral("VL Gothic"),       QStringLiteral("TakaoGothic"),
    };
    if (QFont::substitutes(windowFamily()) != gothics) {
        QFont::removeSubstitutions(windowFamily());
        QFont::insertSubstitutions(windowFamily(), gothics);
    }
}

QFont windowFont()
{
    install();
    QFont font(windowFamily());
    font.setPixelSize(23);
    return font;
}

} // namespace Fonts
