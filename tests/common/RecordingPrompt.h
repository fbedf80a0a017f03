#pragma once
// The operator of the tests: records every text shown with its icon (from any thread) and
// answers questions from a script (No once it runs out).

#include "core/OperatorPrompt.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

namespace lumtest {

class RecordingPrompt : public lum::IOperatorPrompt {
public:
    void message(const QString& text, Icon icon) override {
        QMutexLocker lock(&mutex_);
        messages << text;
        icons << icon;
    }
    bool askYesNo(const QString& text) override {
        QMutexLocker lock(&mutex_);
        questions << text;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    // The texts shown so far, while other threads may still be talking to the operator.
    QStringList snapshot() const {
        QMutexLocker lock(&mutex_);
        return messages;
    }

    QStringList messages;
    QList<Icon> icons;
    QStringList questions;
    QList<bool> answers;

private:
    mutable QMutex mutex_;
};

}  // namespace lumtest
