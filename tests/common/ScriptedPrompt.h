#pragma once
// An operator prompt for tests: records every text shown and answers questions from a script.

#include "core/OperatorPrompt.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace lumtest {

class ScriptedPrompt : public lum::IOperatorPrompt {
public:
    void message(const QString& text, Icon) override { messages << text; }
    bool askYesNo(const QString& text) override {
        questions << text;
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;  // answers to the next questions; No when exhausted
};

}  // namespace lumtest
