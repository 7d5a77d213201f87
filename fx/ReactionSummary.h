#pragma once
#include "ReactionMatch.h"

// What the moves of one horizon say about the surprises.
namespace Reaction {

struct Summary {
    int count = 0; // releases with a surprise and a move
    std::optional<double> meanAfterPositive; // mean move after RV > EV
    std::optional<double> meanAfterNegative; // mean move after RV < EV
    // Share (0 to 1) of the releases with a surprise other than 0 whose
    // move had its sign; a move of 0 has none.
    std::optional<double> sameSign;
    // Of surprise and move; absent below two pairs or when either never varies.
    std::optional<double> correlation;
};

// The summary of the horizon at that position of the rows.
Summary summarize(const std::vector<Row> &rows, int horizon);

// One line for all horizons, for instance
// "1h: 12件 平均変動 ｻﾌﾟﾗｲｽﾞ正 +35.2 / 負 -20.1  方向一致 75.0%  相関 0.62";
// a figure that cannot be given shows "-".
QString summaryText(const std::vector<Row> &rows, const std::vector<Horizon> &horizons);

} // namespace Reaction
