#include "ReactionFields.h"
#include "store/Errors.h"
#include "store/WholeNumber.h"
#include <QStringList>

namespace Reaction {

namespace {

constexpr int kLongestHours = 7 * 24;

ConversionError noSpan(const QString &part)
{
    return ConversionError(QStringLiteral("'%1' は時間の長さではありません (例: 1h,4h,24h,15m)").arg(part));
}

// "15m" or "4h": a number from 1 to a week, and its unit.
Horizon horizonOf(const QString &part)
{
    const QString unit = part.right(1).toLower();
    const int perUnit = unit == QLatin1String("h") ? 60 : unit == QLatin1String("m") ? 1 : 0;
    const QString number = part.chopped(part.isEmpty() ? 0 : 1);
    int count = 0;
    bool whole = !number.isEmpty();
    for (QChar c : number)
        whole = whole && c >= u'0' && c <= u'9';
    if (whole && number.size() <= 6)
        count = number.toInt();
    if (perUnit == 0 || count < 1 || count * perUnit > kLongestHours * 60)
        throw noSpan(part);
    return {count * perUnit, part};
}

} // namespace

std::vector<Horizon> parseHorizons(const QString &text)
{
    std::vector<Horizon> horizons;
    for (const QString &part : text.split(QLatin1Char(',')))
        horizons.push_back(horizonOf(part.trimmed()));
    return horizons;
}

int parseOffsetHours(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    const int hours = WholeNumber::parse(trimmed);
    if (hours > kLongestHours || hours < -kLongestHours)
        throw ConversionError(QStringLiteral("'%1' は時差として大きすぎます").arg(trimmed));
    return hours;
}

} // namespace Reaction
