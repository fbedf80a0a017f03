#pragma once
// An operator who answers questions from a script and remembers what was shown.

#include "core/OperatorPrompt.h"

#include <QList>
#include <QString>

#include <utility>

class ScriptedPrompt : public lum::IOperatorPrompt {
public:
    void message(const QString& text, Icon icon) override { messages.append({text, icon}); }
    bool askYesNo(const QString& text) override {
        questions.append(text);
        return answers.isEmpty() ? false : answers.takeFirst();
    }

    QList<std::pair<QString, Icon>> messages;
    QStringList questions;
    QList<bool> answers;
};
