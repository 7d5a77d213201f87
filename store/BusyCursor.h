#pragma once
#include <functional>

// Marks the time the data-access layer works, so that the window can show
// the busy pointer. The store knows no pointer: the window sets the two
// hooks. Nested marks, as in a loop of statements inside one operation,
// leave the hooks to the outermost.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

    // Called when the outermost mark begins and when it ends; empty hooks
    // (the default) do nothing.
    static void setHooks(std::function<void()> begin, std::function<void()> end);
};
