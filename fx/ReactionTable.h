#pragma once
#include "ReactionMatch.h"
#include <QStringList>

// The reaction table as the dialog shows it and the export writes it: the
// release's date and time, RV, EV, CV, the surprise, the price at the
// release, then the close and the move of each horizon. An absent value is
// an empty cell.
namespace Reaction {

QStringList columnTitles(const std::vector<Horizon> &horizons);

// The text of one cell; column counts from 0 as the titles do.
QString cellText(const Row &row, int column);

// The folder and name of the export: 経済指標/CSV/ + CSVNM + _反応.CSV under
// the working folder.
QString exportPath(const QString &workingFolder, const QString &csvnm);

// The titles and every row, as lines of the value files (ValueLine), each
// ended by CR LF.
QString exportText(const std::vector<Row> &rows, const std::vector<Horizon> &horizons);

} // namespace Reaction
