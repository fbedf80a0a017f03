#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace lumfuzz {

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

void ensureApp() {
    static int argc = 1;
    static char name[] = "lum-fuzz";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qInstallMessageHandler(quiet);
        new QCoreApplication(argc, argv);  // lives as long as the process
    }
}

const QString& scratch() {
    static QTemporaryDir* dir = [] {
        // /dev/shm keeps the many small writes off the disk when it exists.
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        auto* d = new QTemporaryDir(base + QStringLiteral("/lum-fuzz-XXXXXX"));
        return d;
    }();
    static const QString path = dir->path();
    return path;
}

QString writeScratch(const QString& name, const QByteArray& bytes) {
    const QString path = scratch() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
    return path;
}

QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

bool isolateNetwork() {
    if (::unshare(CLONE_NEWNET) != 0) return false;
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0) return false;
    ifreq ifr{};
    std::strncpy(ifr.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = ::ioctl(s, SIOCGIFFLAGS, &ifr) == 0;
    ifr.ifr_flags |= IFF_UP | IFF_RUNNING;
    up = up && ::ioctl(s, SIOCSIFFLAGS, &ifr) == 0;
    ::close(s);
    return up;
}

bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a == b) return true;
    fprintf(stderr, "--- first\n%s\n--- second\n%s\n---\n", a.toPercentEncoding(" =[]\r\n/").constData(),
            b.toPercentEncoding(" =[]\r\n/").constData());
    return false;
}

QByteArray Input::line() {
    size_t n = 0;
    while (n < left_ && p_[n] != '\n') ++n;
    QByteArray r(reinterpret_cast<const char*>(p_), qsizetype(n));
    const size_t used = n < left_ ? n + 1 : n;
    p_ += used;
    left_ -= used;
    return r;
}

}  // namespace lumfuzz
