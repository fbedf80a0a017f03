#pragma once
// Test helpers of the media suites: a real HTTP server on its own thread, a real FTP server
// (pyftpdlib, tests/media/ftp_server.py) and a dead port.

#include "common/RecordingPrompt.h"

#include <QColor>
#include <QHostAddress>
#include <QImage>
#include <QMap>
#include <QMutex>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <memory>

namespace lumtest {

// A picture of one colour saved as `dir`/`name` (the format follows the extension).
inline QString solidPicture(const QString& dir, const QString& name, int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    const QString path = dir + "/" + name;
    return img.save(path) ? path : QString();
}

// Serves fixed resources over HTTP/1.0 on 127.0.0.1. The server lives on its own thread so that
// blocking clients on the test thread get answers.
class TestHttpServer {
public:
    struct Resource {
        QByteArray body;
        bool withLength = true;
        int status = 200;
    };

    TestHttpServer() {
        thread_.start();
        server_ = new QTcpServer;
        server_->moveToThread(&thread_);
        QMetaObject::invokeMethod(
            server_,
            [this] {
                QObject::connect(server_, &QTcpServer::newConnection, server_, [this] { accept(); });
                server_->listen(QHostAddress::LocalHost, 0);
                port_ = server_->serverPort();
            },
            Qt::BlockingQueuedConnection);
    }
    ~TestHttpServer() {
        QMetaObject::invokeMethod(server_, [this] { delete server_; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }

    quint16 port() const { return port_; }
    QString url(const QString& path) const {
        return QString("http://127.0.0.1:%1%2").arg(port_).arg(path);
    }
    void set(const QString& path, Resource r) {
        QMutexLocker lock(&mutex_);
        resources_[path] = std::move(r);
    }

private:
    void accept() {
        while (QTcpSocket* s = server_->nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, buffer] {
                buffer->append(s->readAll());
                const int end = buffer->indexOf("\r\n\r\n");
                if (end < 0) return;
                const QList<QByteArray> first = buffer->left(buffer->indexOf("\r\n")).split(' ');
                const QString path = first.size() > 1 ? QString::fromLatin1(first[1]) : QString();
                const bool head = first.value(0) == "HEAD";
                Resource r;
                bool found = false;
                {
                    QMutexLocker lock(&mutex_);
                    found = resources_.contains(path);
                    if (found) r = resources_.value(path);
                }
                QByteArray reply;
                if (!found) {
                    reply = "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found";
                } else {
                    reply = "HTTP/1.0 " + QByteArray::number(r.status) + " X\r\nContent-Type: text/xml\r\n";
                    if (r.withLength) reply += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
                    reply += "\r\n";
                    if (!head) reply += r.body;
                }
                s->write(reply);
                s->disconnectFromHost();
            });
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    }

    QThread thread_;
    QTcpServer* server_ = nullptr;
    quint16 port_ = 0;
    mutable QMutex mutex_;
    QMap<QString, Resource> resources_;
};

// pyftpdlib serving `root` on 127.0.0.1; stopped with the object.
class FtpServerProcess {
public:
    explicit FtpServerProcess(const QString& root) {
        proc_.setProgram("/usr/bin/python3");
        proc_.setArguments({QString(LUM_MEDIA_TEST_DIR) + "/ftp_server.py", root});
        proc_.start();
        if (proc_.waitForStarted(5000) && proc_.waitForReadyRead(10000))
            port_ = quint16(proc_.readLine().trimmed().toUInt());
    }
    ~FtpServerProcess() { stop(); }
    void stop() {
        if (proc_.state() != QProcess::NotRunning) {
            proc_.kill();
            proc_.waitForFinished(5000);
        }
    }
    quint16 port() const { return port_; }

private:
    QProcess proc_;
    quint16 port_ = 0;
};

// A local port nobody listens on.
inline quint16 deadPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

}  // namespace lumtest
