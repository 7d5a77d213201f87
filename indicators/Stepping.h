#pragma once
#include <QString>

// The month and day fields' arrow keys, as pure functions.

// True when every character is a digit "0" to "9" or the sign "-" (anywhere,
// any number of times); true for the empty text.
bool IsNum(const QString &st);

// Step a month (bound 12) or a day (bound 31) for the keys Up and Down, or
// normalise it for Right: a text that is not numeric becomes "00" first;
// Up past the bound gives 1, Down below 0 gives the bound, and a stepped
// number below 10 gets one "0" in front. A numeric text that is no whole
// number raises "'%s' は整数ではありません", a step past 32 bits
// "整数のオーバーフロー"; the text is then left as it was.
void ucMM(QString &sdm, int Key);
void ucDD(QString &sdd, int Key);
