#include "ReactionSummary.h"
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace Reaction {

namespace {

struct Sums {
    double n = 0, x = 0, y = 0, xx = 0, yy = 0, xy = 0;
    void add(double a, double b)
    {
        n += 1;
        x += a;
        y += b;
        xx += a * a;
        yy += b * b;
        xy += a * b;
    }
};

std::optional<double> mean(double sum, int count)
{
    return count > 0 ? std::optional<double>(sum / count) : std::nullopt;
}

std::optional<double> correlation(const Sums &s)
{
    if (s.n < 2)
        return std::nullopt;
    const double sxx = s.xx - s.x * s.x / s.n;
    const double syy = s.yy - s.y * s.y / s.n;
    const double sxy = s.xy - s.x * s.y / s.n;
    if (sxx <= 0 || syy <= 0)
        return std::nullopt;
    return std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
}

QString figure(const std::optional<double> &value, int decimals, bool signed_ = false)
{
    if (!value)
        return QStringLiteral("-");
    const QString text = QString::number(*value, 'f', decimals);
    return signed_ && *value > 0 ? QLatin1Char('+') + text : text;
}

} // namespace

Summary summarize(const std::vector<Row> &rows, int horizon)
{
    Summary summary;
    Sums all;
    double up = 0, down = 0;
    int ups = 0, downs = 0, signed_ = 0, same = 0;
    for (const Row &row : rows) {
        const std::optional<int> &move = row.moves.at(size_t(horizon));
        if (!row.surprise || !move)
            continue;
        const int s = *row.surprise, m = *move;
        all.add(s, m);
        if (s == 0)
            continue;
        ++signed_;
        if (s > 0) {
            up += m;
            ++ups;
        } else {
            down += m;
            ++downs;
        }
        if ((s > 0 && m > 0) || (s < 0 && m < 0))
            ++same;
    }
    summary.count = int(all.n);
    summary.meanAfterPositive = mean(up, ups);
    summary.meanAfterNegative = mean(down, downs);
    summary.sameSign = signed_ > 0 ? std::optional<double>(double(same) / signed_) : std::nullopt;
    summary.correlation = correlation(all);
    return summary;
}

QString summaryText(const std::vector<Row> &rows, const std::vector<Horizon> &horizons)
{
    QStringList parts;
    for (int h = 0; h < int(horizons.size()); ++h) {
        const Summary s = summarize(rows, h);
        const std::optional<double> percent
            = s.sameSign ? std::optional<double>(*s.sameSign * 100) : std::nullopt;
        parts << QStringLiteral("%1: %2件 平均変動 ｻﾌﾟﾗｲｽﾞ正 %3 / 負 %4  方向一致 %5  相関 %6")
                     .arg(horizons[size_t(h)].text)
                     .arg(s.count)
                     .arg(figure(s.meanAfterPositive, 1, true), figure(s.meanAfterNegative, 1, true),
                          percent ? figure(percent, 1) + QLatin1Char('%') : QStringLiteral("-"),
                          figure(s.correlation, 2));
    }
    return parts.join(QStringLiteral("    "));
}

} // namespace Reaction
