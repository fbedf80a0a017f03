#include "core/SignalPipe.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lum {

namespace {

int g_signalFd[2] = {-1, -1};

// Only async-signal-safe work here.
void onSignal(int sig) {
    const char c = char(sig);
    [[maybe_unused]] ssize_t n = ::write(g_signalFd[1], &c, 1);
}

}  // namespace

SignalPipe::SignalPipe(QObject* parent) : QObject(parent) {}

SignalPipe::~SignalPipe() {
    if (!notifier_) return;
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
}

bool SignalPipe::install() {
    if (notifier_) return true;
    if (g_signalFd[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalFd) != 0)
        return false;
    ::fcntl(g_signalFd[1], F_SETFL, O_NONBLOCK);
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    if (::sigaction(SIGINT, &sa, nullptr) != 0 || ::sigaction(SIGTERM, &sa, nullptr) != 0)
        return false;
    notifier_ = new QSocketNotifier(g_signalFd[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char c = 0;
        if (::read(g_signalFd[0], &c, 1) == 1) Q_EMIT received(int(c));
    });
    return true;
}

}  // namespace lum
