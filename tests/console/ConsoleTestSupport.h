#pragma once
// Test helpers of the console suites: an operator prompt that records what it was shown and
// answers questions from a script.

#include "core/OperatorPrompt.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace lumtest {

class RecordingPrompt : public lum::IOperatorPrompt {
public:
    void message(const QString& text, Icon icon) override { messages.append({text, icon}); }
    bool askYesNo(const QString& text) override {
        questions.append(text);
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QStringList texts() const {
        QStringList out;
        for (const auto& m : messages) out << m.first;
        return out;
    }

    QList<std::pair<QString, Icon>> messages;
    QStringList questions;
    QList<bool> answers;  // No once exhausted
};

}  // namespace lumtest
