#pragma once
// The operator prompt of a lumctl request: what the operator would have been shown is collected
// for the reply, and questions are answered as the request says ("yes"). Any thread.

#include "core/OperatorPrompt.h"

#include <QMutex>
#include <QStringList>

namespace lum {

class CollectingPrompt : public IOperatorPrompt {
public:
    explicit CollectingPrompt(bool yes = false) : yes_(yes) {}

    void message(const QString& text, Icon) override {
        QMutexLocker lock(&mutex_);
        messages_ << text;
    }
    bool askYesNo(const QString& text) override {
        QMutexLocker lock(&mutex_);
        messages_ << text + (yes_ ? QStringLiteral(" -> Yes") : QStringLiteral(" -> No"));
        if (!yes_) refusedQuestion_ = text;
        return yes_;
    }

    QStringList messages() const {
        QMutexLocker lock(&mutex_);
        return messages_;
    }
    // The last question answered No (empty when none was).
    QString refusedQuestion() const {
        QMutexLocker lock(&mutex_);
        return refusedQuestion_;
    }

private:
    mutable QMutex mutex_;
    const bool yes_;
    QStringList messages_;
    QString refusedQuestion_;
};

}  // namespace lum
