#pragma once
#include "store/Boxes.h"
#include <QStringList>
#include <deque>

// The modal boxes of a test: records every text and gives the answers the
// test queued (Yes / OK when none is queued). Installs itself while alive.
class ScriptedBoxes : public Boxes {
public:
    ScriptedBoxes() { Boxes::install(this); }
    ~ScriptedBoxes() override { Boxes::install(nullptr); }

    void message(const QString &text) override { messages << text; }
    bool confirmYesNo(const QString &text) override { confirmations << text; return answer(); }
    bool confirmOkCancel(const QString &text) override { confirmations << text; return answer(); }
    void error(const QString &text) override { errors << text; }

    void answerNext(bool yes) { answers_.push_back(yes); }
    void clear() { messages.clear(); confirmations.clear(); errors.clear(); }

    QStringList messages;
    QStringList confirmations;
    QStringList errors;

private:
    bool answer()
    {
        if (answers_.empty())
            return true;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    std::deque<bool> answers_;
};
