#include "ReactionTable.h"
#include "exchange/ValueLine.h"

namespace Reaction {

namespace {

constexpr int kReleaseColumns = 6; // time, RV, EV, CV, surprise, price

QString valueText(const std::optional<int> &value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

QStringList columnTitles(const std::vector<Horizon> &horizons)
{
    QStringList titles = {QStringLiteral("発表日時"), QStringLiteral("結果値"),   QStringLiteral("期待値"),
                          QStringLiteral("補正値"),   QStringLiteral("ｻﾌﾟﾗｲｽﾞ"), QStringLiteral("発表時価格")};
    for (const Horizon &h : horizons)
        titles << h.text + QStringLiteral("後価格") << h.text + QStringLiteral("変動");
    return titles;
}

QString cellText(const Row &row, int column)
{
    switch (column) {
    case 0: return timeText(row.minute);
    case 1: return valueText(row.rv);
    case 2: return valueText(row.ev);
    case 3: return valueText(row.cv);
    case 4: return valueText(row.surprise);
    case 5: return valueText(row.price);
    default: break;
    }
    const size_t h = size_t(column - kReleaseColumns) / 2;
    if (column < kReleaseColumns || h >= row.closes.size())
        return QString();
    return valueText((column - kReleaseColumns) % 2 == 0 ? row.closes[h] : row.moves[h]);
}

QString exportPath(const QString &workingFolder, const QString &csvnm)
{
    return workingFolder + QStringLiteral("/経済指標/CSV/") + csvnm + QStringLiteral("_反応.CSV");
}

QString exportText(const std::vector<Row> &rows, const std::vector<Horizon> &horizons)
{
    const QStringList titles = columnTitles(horizons);
    QString text = ValueLine::join(titles) + QLatin1String("\r\n");
    QStringList cells;
    for (const Row &row : rows) {
        cells.clear();
        for (int c = 0; c < titles.size(); ++c)
            cells << cellText(row, c);
        text += ValueLine::join(cells) + QLatin1String("\r\n");
    }
    return text;
}

} // namespace Reaction
