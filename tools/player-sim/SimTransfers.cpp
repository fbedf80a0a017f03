// CSimPlayer's data connections: PASV or PORT, downloads and uploads, the sync after each.
#include "SimPlayer.h"

#include "SimProtocol.h"
#include "SimSteps.h"

#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

namespace lum::sim {

using namespace detail;

// --- data connection -----------------------------------------------------------------------

void CSimPlayer::openData(std::function<void()> then) {
    opened_ = dataClosed_ = finishing_ = uploading_ = false;
    transferError_.clear();
    if (config_.passive) {
        send(QStringLiteral("PASV"));
        expect([this, then](const Reply& r) {
            static const QRegularExpression numbers(
                QStringLiteral("\\((\\d+),(\\d+),(\\d+),(\\d+),(\\d+),(\\d+)\\)\\.?$"));
            const auto m = numbers.match(r.text());
            if (r.code != kReplyPassive || !m.hasMatch() ||
                (!config_.plainFtp && !r.text().startsWith(QLatin1String(kPassiveReplyPrefix)))) {
                stepDone(false, r.text());
                return;
            }
            passiveHost_ = QHostAddress(QStringLiteral("%1.%2.%3.%4")
                                             .arg(m.captured(1), m.captured(2), m.captured(3),
                                                  m.captured(4)));
            passivePort_ = static_cast<quint16>(m.captured(5).toInt() * 256 +
                                                 m.captured(6).toInt());
            auto* s = new QTcpSocket(this);
            adoptData(s);
            s->connectToHost(passiveHost_, passivePort_);
            then();
        });
        return;
    }
    listener_ = new QTcpServer(this);
    const QHostAddress local(control_->localAddress().toIPv4Address());
    if (!listener_->listen(local, 0)) {
        stepDone(false, QStringLiteral("cannot listen for the data connection"));
        return;
    }
    connect(listener_, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* s = listener_->nextPendingConnection();
        listener_->close();
        if (data_ || !s) {  // one connection per transfer
            if (s) s->abort();
            return;
        }
        adoptData(s);
        if (uploading_) startUpload();
    });
    const quint32 a = local.toIPv4Address();
    const quint16 p = listener_->serverPort();
    send(QStringLiteral("PORT %1,%2,%3,%4,%5,%6")
             .arg(a >> 24)
             .arg((a >> 16) & 0xFF)
             .arg((a >> 8) & 0xFF)
             .arg(a & 0xFF)
             .arg(p / 256)
             .arg(p % 256));
    expect([this, then](const Reply& r) {
        if (r.code != kReplyPortOk) {
            closeData();
            stepDone(false, r.text());
            return;
        }
        then();
    });
}

void CSimPlayer::adoptData(QTcpSocket* socket) {
    data_ = socket;
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket != data_) return;
        if (discard_) {
            current_.bytes += socket->skip(socket->bytesAvailable());
        } else {
            const QByteArray chunk = socket->readAll();
            current_.bytes += chunk.size();
            current_.data += chunk;
        }
        if (opened_) timeout_.start(config_.timeoutMs);  // a long transfer is not a hang
    });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
        if (socket == data_ && opened_) timeout_.start(config_.timeoutMs);
    });
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        if (socket == data_ && uploading_) startUpload();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket == data_) onDataClosed();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError e) {
        if (socket != data_ || e == QAbstractSocket::RemoteHostClosedError) return;
        if (socket->state() != QAbstractSocket::ConnectedState) {
            transferError_ = QStringLiteral("data connection: ") + socket->errorString();
            dataClosed_ = true;
            if (opened_) finishTransfer();
        }
    });
}

void CSimPlayer::onDataClosed() {
    if (data_ && data_->bytesAvailable() > 0) {
        const QByteArray rest = data_->readAll();
        current_.bytes += rest.size();
        if (!discard_) current_.data += rest;
    }
    dataClosed_ = true;
    if (opened_) finishTransfer();
}

void CSimPlayer::startUpload() {
    uploading_ = true;
    if (!data_ || data_->state() != QAbstractSocket::ConnectedState) return;  // on connect
    uploading_ = false;
    current_.data = upload_;
    current_.bytes = upload_.size();
    if (!upload_.isEmpty()) data_->write(upload_);
    // The console learns the end of the file from the closing of the connection.
    data_->disconnectFromHost();
}

void CSimPlayer::closeData() {
    if (data_) {
        data_->disconnect(this);
        data_->abort();
        data_->deleteLater();
        data_ = nullptr;
    }
    if (listener_) {
        listener_->close();
        listener_->deleteLater();
        listener_ = nullptr;
    }
}

void CSimPlayer::finishTransfer() {
    if (finishing_) return;
    finishing_ = true;
    closeData();
    const SimStep& step = step_;
    const QString remote = expand(step.remote);
    if (step.kind == SimStep::Kind::List || step.kind == SimStep::Kind::Nlst) {
        for (const QByteArray& l : current_.data.split('\n')) {
            const QByteArray line = l.endsWith('\r') ? l.chopped(1) : l;
            if (!line.isEmpty()) say(QStringLiteral("| ") + QString::fromUtf8(line));
        }
    }
    if (step.kind == SimStep::Kind::Retr) {
        say(QStringLiteral(": RETR %1: %2 bytes").arg(remote).arg(current_.bytes));
        if (!config_.saveDir.isEmpty()) {
            QDir().mkpath(config_.saveDir);
            QFile out(QDir(config_.saveDir).filePath(fileNameOf(remote)));
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                out.write(current_.data) != current_.data.size())
                transferError_ = QStringLiteral("cannot save %1").arg(out.fileName());
        }
    }
    if (step.kind == SimStep::Kind::Stor || step.kind == SimStep::Kind::Appe)
        say(QStringLiteral(": %1 %2: %3 bytes")
                .arg(step.kind == SimStep::Kind::Stor ? "STOR" : "APPE", remote)
                .arg(current_.bytes));

    if (step.kind == SimStep::Kind::Retr) {
        // The size on the console tells whether the whole file came through. (Uploads are not
        // checked this way: the console may answer before it has seen the end of the data.)
        const qint64 got = current_.bytes;
        const qint64 rest = step.rest;
        sync(QStringLiteral("SIZE ") + remote, [got, rest](const Reply& r, QString* error) {
            if (r.code != kReplySize) {
                if (!isError(r.code)) return false;  // a standard server's 226 comes first
                *error = r.text();
                return r.code == 550;  // the file is gone: this ends the sync
            }
            const qint64 size = r.text().mid(4).toLongLong();
            // An offset at or beyond the size sends the whole file.
            const qint64 want = rest > 0 && rest < size ? size - rest : size;
            if (want != got) *error = QStringLiteral("size %1, received %2").arg(want).arg(got);
            return true;
        });
        return;
    }
    sync(QStringLiteral("NOOP"), [this](const Reply& r, QString* error) {
        if (config_.plainFtp ? r.code == 200 : r.text() == QLatin1String(kNoopReply)) return true;
        if (!isError(r.code)) return false;
        *error = r.text();
        return false;
    });
}

// Sends `line` and waits for its answer; replies before it (errors of the transfer) fail the
// step. `accept` returns true for the answer that ends the wait and may set an error.
void CSimPlayer::sync(const QString& line, std::function<bool(const Reply&, QString*)> accept) {
    syncAccept_ = std::move(accept);
    send(line);
    expect([this](const Reply& r) { onSyncReply(r); });
}

void CSimPlayer::onSyncReply(const Reply& reply) {
    QString error;
    const bool done = syncAccept_(reply, &error);
    if (!error.isEmpty() && transferError_.isEmpty()) transferError_ = error;
    if (!done) {
        expect([this](const Reply& r) { onSyncReply(r); });
        return;
    }
    syncAccept_ = nullptr;
    const QString e = transferError_;
    if (e.isEmpty() && step_.kind == SimStep::Kind::Retr)
        fileFetched(expand(step_.remote), current_.data, current_.bytes);
    stepDone(e.isEmpty(), e);
}

}  // namespace lum::sim
