#pragma once
// Prints each log record's screen line to a stream (standard error for the headless server).

#include <QObject>

#include <cstdio>

namespace lum {

class CLogHub;
struct CLogRecord;

class CLogPrinter : public QObject {
    Q_OBJECT
public:
    // Subscribes to `hub`; prints to `out` (not owned), one line per record.
    explicit CLogPrinter(CLogHub* hub, std::FILE* out = stderr, QObject* parent = nullptr);

private:
    void print(const lum::CLogRecord& record, const QString& screenLine);

    std::FILE* out_;
};

}  // namespace lum
