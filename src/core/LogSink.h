#pragma once
// The one entry point for log entries: the control server, its connections and the console
// hand entries here from any thread. The implementation queues them and writes files and views
// on the main thread.

#include <QString>

namespace lum {

// Entry types: who the entry is about.
enum LogType : int {
    kLogServerEvent = 0,   // server events (black)
    kLogSentToPlayer = 1,  // replies and commands sent to a player (green)
    kLogFromPlayer = 2,    // player reports and errors (blue)
    kLogError = 3,         // red
};

class ILogSink {
public:
    virtual ~ILogSink() = default;
    // Thread-safe. `key` is the player's MAC text (or a fixed column text, or empty).
    virtual void addLog(int type, const QString& key, const QString& text) = 0;
};

}  // namespace lum
