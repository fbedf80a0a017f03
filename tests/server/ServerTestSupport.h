#pragma once
// Helpers for the control-server tests: a collecting log, a recording observer, accounts kept
// in memory, and a player-side client that speaks the protocol over real sockets while the
// test's main thread keeps serving the server's events.

#include "common/TestSupport.h"
#include "core/LogSink.h"
#include "server/ServerInterfaces.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <map>
#include <mutex>
#include <vector>

namespace lumtest {

class CollectingSink : public lum::ILogSink {
public:
    struct Entry {
        lum::LogType type;
        QString key;
        QString text;
    };
    void addLog(lum::LogType type, const QString& key, const QString& text) override {
        std::lock_guard g(lock_);
        entries_.push_back({type, key, text});
    }
    std::vector<Entry> entries() const {
        std::lock_guard g(lock_);
        return entries_;
    }
    int count(const QString& text) const {
        std::lock_guard g(lock_);
        int n = 0;
        for (const auto& e : entries_) n += e.text == text;
        return n;
    }
    bool contains(const QString& text) const { return count(text) > 0; }
    bool anyContains(const QString& part) const {
        std::lock_guard g(lock_);
        for (const auto& e : entries_)
            if (e.text.contains(part)) return true;
        return false;
    }

private:
    mutable std::mutex lock_;
    std::vector<Entry> entries_;
};

class RecordingObserver : public lum::IServerObserver {
public:
    void ClientLoggedIn(quint32 id, const QString& name, const QString& ip, const QString& mac) override {
        std::lock_guard g(lock_);
        loggedIn.push_back(QStringLiteral("%1 %2 %3 %4").arg(id).arg(name, ip, mac));
    }
    void ClientLoggedOut(quint32 id) override {
        std::lock_guard g(lock_);
        loggedOut.push_back(id);
    }
    void ClientEvent(lum::PlayerEvent code, const QString& mac, const QString& text) override {
        std::lock_guard g(lock_);
        events.push_back(QStringLiteral("%1 %2 %3").arg(int(code)).arg(mac, text));
    }
    void AccountRegistered(const QString& name, const QString& group) override {
        std::lock_guard g(lock_);
        registered.push_back(name + QLatin1Char('/') + group);
    }
    template <typename T>
    T get(const T& field) const {
        std::lock_guard g(lock_);
        return field;
    }
    mutable std::mutex lock_;
    QStringList loggedIn;
    std::vector<quint32> loggedOut;
    QStringList events;
    QStringList registered;
};

// A random passive range so that parallel test processes rarely meet.
// Below the system's ephemeral ports (32768 and up), so a passive range never takes a port
// another test picked by asking the system for a free one.
inline quint32 randomPassiveStart() {
    return 12000 + QRandomGenerator::global()->bounded(2000) * 10;
}

// The player's side of a control connection.
class Player {
public:
    explicit Player(quint16 port, const QString& from = QStringLiteral("127.0.0.1")) {
        socket_.bind(QHostAddress(from), 0);
        socket_.connectToHost(QHostAddress(QStringLiteral("127.0.0.1")), port);
        waitUntil([&] { return socket_.state() == QAbstractSocket::ConnectedState ||
                               socket_.state() == QAbstractSocket::UnconnectedState; });
    }
    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }

    void send(const QByteArray& raw) {
        socket_.write(raw);
        socket_.flush();
    }
    void sendLine(const QByteArray& line) { send(line + "\r\n"); }

    // The next reply line without CR LF; "<none>" when nothing came in time.
    QByteArray line(int timeoutMs = 5000) {
        waitUntil([&] { return buffer().contains("\r\n") || closed(); }, timeoutMs);
        const int end = buf_.indexOf("\r\n");
        if (end < 0) return "<none>";
        const QByteArray l = buf_.left(end);
        buf_.remove(0, end + 2);
        return l;
    }
    QByteArray command(const QByteArray& text) {
        sendLine(text);
        return line();
    }
    bool closed() {
        pump();
        return socket_.state() == QAbstractSocket::UnconnectedState && socket_.bytesAvailable() == 0;
    }
    bool waitClosed(int timeoutMs = 5000) {
        return waitUntil([&] { return closed(); }, timeoutMs);
    }
    // Nothing more arrives within the time.
    bool silent(int ms = 200) {
        waitUntil([] { return false; }, ms);
        return !buffer().contains("\r\n");
    }
    QByteArray login(const QByteArray& name) {
        line();  // greeting
        return command("USER " + name);
    }
    quint16 pasv() {
        const QByteArray r = command("PASV");
        const int open = r.indexOf('('), close = r.indexOf(')');
        const QList<QByteArray> f = r.mid(open + 1, close - open - 1).split(',');
        if (f.size() != 6) return 0;
        return static_cast<quint16>(f[4].toInt() * 256 + f[5].toInt());
    }
    QHostAddress localAddress() const { return socket_.localAddress(); }
    QTcpSocket& socket() { return socket_; }

private:
    QByteArray& buffer() {
        pump();
        return buf_;
    }
    void pump() { buf_ += socket_.readAll(); }
    QTcpSocket socket_;
    QByteArray buf_;
};

// Reads a data connection to its end.
inline QByteArray readAllFrom(QTcpSocket& s, int timeoutMs = 5000) {
    QByteArray out;
    waitUntil([&] {
        out += s.readAll();
        return s.state() == QAbstractSocket::UnconnectedState;
    }, timeoutMs);
    out += s.readAll();
    return out;
}

inline bool connectData(QTcpSocket& s, quint16 port, const QString& from = QStringLiteral("127.0.0.1")) {
    s.bind(QHostAddress(from), 0);
    s.connectToHost(QHostAddress(QStringLiteral("127.0.0.1")), port);
    return waitUntil([&] { return s.state() == QAbstractSocket::ConnectedState; });
}

}  // namespace lumtest
