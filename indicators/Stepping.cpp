#include "Stepping.h"
#include "store/WholeNumber.h"
#include <Qt>

bool IsNum(const QString &st)
{
    for (const QChar c : st)
        if (!((c >= u'0' && c <= u'9') || c == u'-'))
            return false;
    return true;
}

namespace {

void step(QString &text, int key, int bound)
{
    QString stepped = IsNum(text) ? text : QStringLiteral("00");
    int n = WholeNumber::parse(stepped);
    if (key == Qt::Key_Up) {
        n = WholeNumber::add(n, 1);
        if (n > bound)
            n = 1;
    } else if (key == Qt::Key_Down) {
        n = WholeNumber::subtract(n, 1);
        if (n < 0)
            n = bound;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        stepped = (n < 10 ? QStringLiteral("0") : QString()) + QString::number(n);
    text = stepped;
}

} // namespace

void ucMM(QString &sdm, int Key) { step(sdm, Key, 12); }

void ucDD(QString &sdd, int Key) { step(sdd, Key, 31); }
