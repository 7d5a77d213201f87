#pragma once
#include "ReactionMatch.h"

// The two fields at the top of the reaction table, read as the table needs them.
namespace Reaction {

// Horizons typed as "1h,4h,24h": spans of whole hours ("h") or minutes
// ("m"), separated by commas, blanks around them allowed. Raises
// ConversionError "'%s' は時間の長さではありません (例: 1h,4h,24h,15m)"
// naming the first part that is none, and for an empty field.
std::vector<Horizon> parseHorizons(const QString &text);

// The time offset of the prices in whole hours, a sign allowed; the empty
// field reads as 0. Raises ConversionError "'%s' は整数ではありません",
// and "'%s' は時差として大きすぎます" beyond a week either way.
int parseOffsetHours(const QString &text);

} // namespace Reaction
