#pragma once
// SIGINT and SIGTERM as a Qt signal: the handler only writes the signal number into a socket
// pair, and the event loop reads it, so whatever the program does on a stop request runs on
// the main thread. One per process.

#include <QObject>

class QSocketNotifier;

namespace lum {

class SignalPipe : public QObject {
    Q_OBJECT
public:
    explicit SignalPipe(QObject* parent = nullptr);
    ~SignalPipe() override;

    // Installs the handlers; false when the pipe or a handler cannot be set up.
    bool install();

Q_SIGNALS:
    void received(int signalNumber);

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lum
