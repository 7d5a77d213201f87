#pragma once
#include <QStringList>
#include <array>

// Taking the fields of one FX price line into the value slots 14 to 28 of
// an AFX row (slots 11 to 13, the row number, FID and FXNM, come from the
// import itself).
//
//   field 0  first date, YYYY/M/D or YYYY/MM/DD -> 14 year, 15 month with a
//            leading zero, 16 day as written
//   field 1  first time, H:MM or HH:MM, or empty -> 17 hour with a leading
//            zero, 18 minute ("00" for an empty time)
//   2 to 5   open, high, low, close without their first "." -> 19 to 22
//   field 6  second date at fixed positions, YYYY-MM-DD -> 23, 24, 25
//   field 7  second time at fixed positions, HH:MM -> 26, 27
//   slot 28, the remark, stays empty. Fields after the eighth are ignored.
//
// A slot whose field is missing (a short line), or that a form without "/"
// in the date or without ":" among the first three characters of the time
// does not give, is empty and stored as NULL.
namespace PriceLine {

constexpr int kFirstSlot = 14;
constexpr int kLastSlot = 28;
using Slots = std::array<QString, kLastSlot - kFirstSlot + 1>;

Slots take(const QStringList &fields);

// A price as stored: the text without its first ".", if it has one.
QString withoutFirstPoint(QString price);

} // namespace PriceLine
