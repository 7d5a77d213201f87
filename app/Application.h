#pragma once
#include <QApplication>

// The GUI application. Errors end at the window's handler boundary
// (TVostrelF::runHandler); notify only keeps a last resort for one that
// escapes anyway, shown the same way.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    ~Application() override;
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows the general error box for the error being handled (call it in
    // a catch block).
    static void showEscapedError();
};
