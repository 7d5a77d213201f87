#include "Boxes.h"

namespace {
// Used until a window layer installs its own: says nothing, declines nothing.
class SilentBoxes : public Boxes {
public:
    void message(const QString &) override {}
    bool confirmYesNo(const QString &) override { return true; }
    bool confirmOkCancel(const QString &) override { return true; }
    void error(const QString &) override {}
};

SilentBoxes silent;
Boxes *installed = &silent;
} // namespace

Boxes &Boxes::current() { return *installed; }

void Boxes::install(Boxes *boxes) { installed = boxes ? boxes : &silent; }
