#include "ActivationReturn.h"
#include <utility>

void ActivationReturn::focusMoved(Window now)
{
    if (now == Window::OwnBox)
        afterOwnBox_ = true;
    else if (now == Window::Main)
        afterOwnBox_ = false; // back without an activation of its own
}

bool ActivationReturn::isReturnOfTheUser()
{
    return !std::exchange(afterOwnBox_, false);
}
