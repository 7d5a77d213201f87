#pragma once

// Shows the busy pointer while the data-access layer works (when there is a
// GUI application at all).
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool shown_ = false;
};
