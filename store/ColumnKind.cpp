#include "ColumnKind.h"
#include <QRegularExpression>

namespace ColumnKind {

Kind of(const QString &kind)
{
    if (kind == QLatin1String("nchar") || kind == QLatin1String("varchar"))
        return Kind::Text;
    if (kind.contains(QLatin1String("INT"), Qt::CaseInsensitive))
        return Kind::WholeNumber;
    for (const char *number : {"REAL", "FLOA", "DOUB", "NUM", "DEC"})
        if (kind.contains(QLatin1String(number), Qt::CaseInsensitive))
            return Kind::Number;
    return Kind::Other;
}

bool isNumber(Kind kind)
{
    return kind == Kind::WholeNumber || kind == Kind::Number;
}

int declaredSize(const QString &declared)
{
    static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)"));
    const QRegularExpressionMatch match = size.match(declared);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace ColumnKind
