#pragma once
// The one entry point for log entries: the control server, its connections and the console
// hand entries here from any thread. The implementation queues them and writes files and views
// on the main thread.

#include <QString>

namespace lum {

// Entry types: who the entry is about. The numbers are the ones the log file's levels and the
// colours follow.
enum class LogType : int {
    ServerEvent = 0,   // server events (black)
    SentToPlayer = 1,  // replies and commands sent to a player (green)
    FromPlayer = 2,    // player reports and errors (blue)
    Error = 3,         // red
};

class ILogSink {
public:
    virtual ~ILogSink() = default;
    // Thread-safe. `key` is the player's MAC text (or a fixed column text, or empty).
    virtual void addLog(LogType type, const QString& key, const QString& text) = 0;
};

}  // namespace lum
