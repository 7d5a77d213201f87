#pragma once
#include "ReactionMatch.h"

class Connection;

// The rows the reaction table works on, read from a select of the
// statement builder in one pass: the statement is stepped once and only
// the fields the table needs are kept.
namespace Reaction {

// Each row's first stamp (DYL, DML, DDL, HHL, HML) and close price CV, in
// the select's order. Raises DatabaseError when the database refuses the
// statement or it lacks a field, ConversionError for a stamp that names no
// time or a close price that is no whole number.
std::vector<PriceBar> readPrices(Connection &connection, const QString &sql);

// Each release's DY, DM, DD, HH, HM and its RV, EV and CV, in the select's
// order, with the same errors.
std::vector<Release> readReleases(Connection &connection, const QString &sql);

} // namespace Reaction
