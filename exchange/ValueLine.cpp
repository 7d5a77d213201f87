#include "ValueLine.h"

namespace ValueLine {

QString field(const QString &value)
{
    const QChar quote = QLatin1Char('"');
    if (!value.contains(QLatin1Char(',')) && !value.startsWith(quote))
        return value;
    QString quoted = value;
    quoted.replace(quote, QLatin1String("\"\""));
    return quote + quoted + quote;
}

bool breaksLine(const QString &value)
{
    return value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n'));
}

QString join(const QStringList &values)
{
    QString line;
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        line += field(values[i]);
    }
    return line;
}

} // namespace ValueLine
