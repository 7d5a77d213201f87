#pragma once
#include <QString>

// The modal boxes of the system. The program installs one that shows real
// message boxes; tests install one that records the texts and gives answers.
class Boxes {
public:
    virtual ~Boxes() = default;

    // A plain message with one OK button.
    virtual void message(const QString &text) = 0;
    // A confirmation with Yes and No; true for every answer but No.
    virtual bool confirmYesNo(const QString &text) = 0;
    // A confirmation with OK and キャンセル; true only for OK.
    virtual bool confirmOkCancel(const QString &text) = 0;
    // The general error box: stop icon, OK, the application's title.
    virtual void error(const QString &text) = 0;

    static Boxes &current();
    // Takes no ownership; passing nullptr restores the silent default.
    static void install(Boxes *boxes);
};
