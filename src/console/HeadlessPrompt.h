#pragma once
// The operator prompt of the headless server: notices go to the log (to stderr until there is
// one, as at start-up), questions are answered as configured (No unless the operator started
// the server with --yes-to-questions).

#include "core/LogSink.h"
#include "core/OperatorPrompt.h"

#include <cstdio>

namespace lum {

class HeadlessPrompt : public IOperatorPrompt {
public:
    HeadlessPrompt(ILogSink* log, bool answer) : log_(log), answer_(answer) {}
    void setLog(ILogSink* log) { log_ = log; }
    void message(const QString& text, Icon icon) override {
        if (log_) {
            log_->addLog(icon == Icon::Stop ? LogType::Error : LogType::ServerEvent, QString(), text);
            return;
        }
        std::fprintf(stderr, "lum-server: %s\n", qPrintable(text));
        std::fflush(stderr);
    }
    bool askYesNo(const QString& text) override {
        if (log_)
            log_->addLog(LogType::ServerEvent, QString(),
                         text + (answer_ ? QStringLiteral(" (Yes)") : QStringLiteral(" (No)")));
        return answer_;
    }

private:
    ILogSink* log_;
    bool answer_;
};

}  // namespace lum
