#pragma once
#include <QStringList>
#include <QStringView>
#include <array>
#include <string>

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
constexpr int kSlotCount = kLastSlot - kFirstSlot + 1;
using Slots = std::array<QString, kSlotCount>;

// The slots 14 to 28 as views: into the fields they are cut from, or into
// the slots' own room for the texts made here (a digit with its leading
// zero, two digits, a price without its point). Filled line after line in
// place, without an allocation for a line.
class SlotViews {
public:
    SlotViews() = default;
    SlotViews(const SlotViews &) = delete;
    SlotViews &operator=(const SlotViews &) = delete;

    QStringView operator[](int slot) const { return views_[slot - kFirstSlot]; }
    const QStringView *data() const { return views_.data(); }
    // Every slot empty.
    void clear() { views_.fill(QStringView()); }
    void cut(int slot, QStringView text) { views_[slot - kFirstSlot] = text; }
    void made(int slot, char16_t first, char16_t second);
    // The price without its first ".", if it has one.
    void withoutFirstPoint(int slot, QStringView price);
    Slots toStrings() const;

private:
    std::array<QStringView, kSlotCount> views_;
    std::array<std::array<char16_t, 2>, kSlotCount> pairs_{};
    std::array<std::u16string, kSlotCount> prices_;
};

// The slots of count fields.
void take(const QStringView *fields, qsizetype count, SlotViews &s);
Slots take(const QStringList &fields);

} // namespace PriceLine
