#include "BusyCursor.h"

namespace {
int depth = 0; // only the outermost one calls the hooks
std::function<void()> &beginHook()
{
    static std::function<void()> hook;
    return hook;
}
std::function<void()> &endHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void BusyCursor::setHooks(std::function<void()> begin, std::function<void()> end)
{
    beginHook() = std::move(begin);
    endHook() = std::move(end);
}

BusyCursor::BusyCursor()
{
    if (depth++ == 0 && beginHook())
        beginHook()();
}

BusyCursor::~BusyCursor()
{
    if (--depth == 0 && endHook())
        endHook()();
}
