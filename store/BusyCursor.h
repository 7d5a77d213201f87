#pragma once

// Shows the busy pointer while the data-access layer works (when there is a
// GUI application at all). Nested ones, as in a loop of statements inside
// one operation, leave the pointer to the outermost.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool shown_ = false;
};
