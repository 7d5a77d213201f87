#pragma once
#include "store/Boxes.h"

// The program's modal boxes, titled with the application's title.
class MessageBoxes : public Boxes {
public:
    static const QString &title();

    void message(const QString &text) override;
    bool confirmYesNo(const QString &text) override;
    bool confirmOkCancel(const QString &text) override;
    void error(const QString &text) override;
};
