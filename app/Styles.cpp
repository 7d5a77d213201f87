#include "Styles.h"
#include "store/Boxes.h"
#include <QApplication>

namespace Styles {

void apply(const QString &name)
{
    Boxes::current().error(QStringLiteral("スタイル '%1' が見つかりません").arg(name));
}

} // namespace Styles
