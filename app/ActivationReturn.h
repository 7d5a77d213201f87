#pragma once

// Tells the main window's activations apart: the user coming back from
// another program, or the window getting the activation back when one of the
// program's own boxes closes. Some window managers report the whole program
// inactive around its own box, so the application state alone does not tell
// them apart: which window had the activation before does.
//
// The toolkit activates the window before it reports the new focus window,
// so an activation is judged by the focus windows reported before it.
class ActivationReturn {
public:
    enum class Window { Main, OwnBox, Other, None };

    // The window that now has the activation (None: no window of the program).
    void focusMoved(Window now);
    // On the main window's activation: whether it is a return of the user.
    bool isReturnOfTheUser();

private:
    bool afterOwnBox_ = false;
};
