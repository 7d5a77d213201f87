#pragma once
#include <QApplication>

// The GUI application. An error that no routine catches ends the event
// handler where it arose and is shown in the general error box; the program
// goes on.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    ~Application() override;
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the general error box for what a handler let escape.
    static void showEscapedError();
};
