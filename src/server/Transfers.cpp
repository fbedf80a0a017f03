// Data-connection commands of the control connection: PASV, PORT, LIST, NLST, RETR, STOR,
// APPE and ABOR.

#include "core/Codepage.h"
#include "server/ConnectThread.h"
#include "server/ControlServer.h"
#include "server/ControlSocket.h"
#include "server/DataSocket.h"
#include "server/ServerTexts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace lum {

namespace {

QString msg(const char* text) { return QString::fromLatin1(text); }

// " Mon DD YYYY " for entries older than 356 days, " Mon DD HH:MM " otherwise.
QByteArray listingDate(const QDateTime& modified, const QDateTime& now) {
    const QDateTime t = modified.toLocalTime();
    const QString month = QLocale::c().monthName(t.date().month(), QLocale::ShortFormat);
    const qint64 days = t.secsTo(now) / 86400;
    QString out;
    if (days > 356) {
        out = QStringLiteral(" %1 %2 %3 ").arg(month).arg(t.date().day(), 2, 10, QLatin1Char('0'))
                  .arg(t.date().year(), 4, 10, QLatin1Char('0'));
    } else {
        out = QStringLiteral(" %1 %2 %3:%4 ").arg(month).arg(t.date().day(), 2, 10, QLatin1Char('0'))
                  .arg(t.time().hour(), 2, 10, QLatin1Char('0'))
                  .arg(t.time().minute(), 2, 10, QLatin1Char('0'));
    }
    return out.toLatin1();
}

}  // namespace

QByteArray listingLine(const QFileInfo& fi, bool namesOnly, const QDateTime& now) {
    const QByteArray name = toAnsi(fi.fileName());
    if (namesOnly) return name + "\r\n";
    QByteArray line = fi.isDir() ? "drwx------" : "-rwx------";
    line += " 1 user group ";
    const QByteArray size = QByteArray::number(fi.isDir() ? 0 : fi.size());
    line += QByteArray(qMax<qsizetype>(0, 14 - size.size()), ' ') + size;
    line += listingDate(fi.lastModified(), now);
    line += name + "\r\n";
    return line;
}

void CControlSocket::cmdPasv() {
    CloseDataConnection();
    auto* data = new CDataSocket(this, ++dataGeneration_);
    data->SetPeer(peerAddress());
    const auto [first, count] = thread_->Server()->PassiveRange();
    if (!data->Listen(first, count, config_->passiveIdleMs)) {
        delete data;
        SendReply(msg(server_texts::kDataSocketFailed));
        return;
    }
    dataSocket_ = data;
    const QString address = localAddress().toString().replace(QLatin1Char('.'), QLatin1Char(','));
    const int port = data->ListenPort();
    SendReply(QString::fromLatin1(server_texts::kPassive)
                  .arg(address, QString::number(port / 256), QString::number(port % 256)));
    passive_ = true;
}

void CControlSocket::cmdPort(const QByteArray& arg) {
    const QList<QByteArray> fields = arg.split(',');
    if (fields.size() != 6) {
        SendReply(msg(server_texts::kSyntaxError));
        return;
    }
    int v[6];
    for (int i = 0; i < 6; ++i) {
        const QByteArray f = fields[i].trimmed();
        bool ok = !f.isEmpty() && f.size() <= 3;
        for (char c : f) ok = ok && c >= '0' && c <= '9';
        v[i] = ok ? f.toInt() : -1;
        if (!ok || v[i] > 255) {
            SendReply(msg(server_texts::kSyntaxError));
            return;
        }
    }
    const QString host = QStringLiteral("%1.%2.%3.%4").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]);
    // No third-party transfers: data goes only to the player itself.
    if (!QHostAddress(host).isEqual(peerAddress(), QHostAddress::ConvertV4MappedToIPv4)) {
        SendReply(msg(server_texts::kPortForeign));
        return;
    }
    dataHost_ = host;
    dataPort_ = v[4] * 256 + v[5];
    passive_ = false;
    SendReply(msg(server_texts::kPortOk));
}

bool CControlSocket::OpenDataConnection() {
    if (!passive_) {
        if (dataHost_.isEmpty() || dataPort_ == -1) {
            SendReply(msg(server_texts::kCantOpenData));
            return false;
        }
        releaseDataSocket(false);
        dataSocket_ = new CDataSocket(this, ++dataGeneration_);
        const int r = dataSocket_->Connect(dataHost_, static_cast<quint16>(dataPort_),
                                           config_->dataConnectTimeoutMs);
        if (r == 1) {
            SendReply(msg(server_texts::kCantOpenData));
            return false;
        }
        if (r == 2) {
            SendReply(msg(server_texts::kDataSocketFailed));
            return false;
        }
        return true;
    }
    if (!dataSocket_) {
        SendReply(msg(server_texts::kCantOpenData));
        return false;
    }
    if (dataSocket_->IsConnected()) return true;
    if (!dataSocket_->WaitForAccept(peerAddress(), config_->dataConnectTimeoutMs)) {
        SendReply(msg(server_texts::kDataSocketFailed));
        return false;
    }
    return true;
}

void CControlSocket::releaseDataSocket(bool abortUpload) {
    if (dataSocket_ && !abortUpload) {
        CDataSocket* data = dataSocket_;
        draining_.push_back(data);
        if (data->FinishUpload([this, data] { uploadDrained(data); })) {
            dataSocket_ = nullptr;
            if (status_ == ReceivingFile) status_ = Idle;
        } else {
            draining_.pop_back();
        }
    }
    delete dataSocket_;
    dataSocket_ = nullptr;
}

void CControlSocket::CloseDataConnection(bool abortUpload) {
    releaseDataSocket(abortUpload);
    dataHost_.clear();
    dataPort_ = -1;
    restartOffset_ = 0;
    passive_ = false;
}

void CControlSocket::cmdList(const QString& arg, bool namesOnly) {
    const QString path = arg.isEmpty() ? resolver_.currentDirectory() : arg;
    QString local;
    // A last component with "*" or "?" lists the matching entries of its directory.
    QString pattern;
    const QString norm = PathResolver::normalise(path);
    const int slash = norm.lastIndexOf(QLatin1Char('/'));
    const QString last = norm.mid(slash + 1);
    if (last.contains(QLatin1Char('*')) || last.contains(QLatin1Char('?'))) {
        pattern = last;
        const QString parent = slash < 0 ? QString() : (slash == 0 ? QStringLiteral("/") : norm.left(slash));
        if (resolver().ResolveDirectory(parent, kDirList, &local) != kResolveFound ||
            !QFileInfo(local).isDir()) {
            SendReply(QString::fromLatin1(server_texts::kDirNotFoundArg).arg(arg));
            return;
        }
    } else if (resolver().ResolveDirectory(path, kDirList, &local) != kResolveFound) {
        SendReply(QString::fromLatin1(server_texts::kDirNotFoundArg).arg(arg));
        return;
    }
    QByteArray listing;
    const QDateTime now = QDateTime::currentDateTime();
    const QFileInfo target(local);
    if (target.isDir()) {
        QDir d(local);
        if (!pattern.isEmpty()) d.setNameFilters({pattern});  // without regard to case
        const QFileInfoList entries = d.entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
        for (const QFileInfo& fi : entries) listing += listingLine(fi, namesOnly, now);
    } else {
        listing += listingLine(target, namesOnly, now);
    }
    SendReply(msg(server_texts::kOpeningList));
    if (!OpenDataConnection()) {
        CloseDataConnection();
        return;
    }
    if (listing.isEmpty()) {
        CloseDataConnection();
        status_ = Idle;
        return;
    }
    status_ = SendingList;
    dataSocket_->SendList(listing);
}

void CControlSocket::cmdRetr(const QString& arg) {
    QString local;
    if (resolver().ResolveFile(arg, kFileRead, &local) == kResolveFileNotFound) {
        SendReply(QString::fromLatin1(server_texts::kRetrNotFound).arg(arg));
        return;
    }
    SendReply(msg(server_texts::kOpeningFile));
    if (!OpenDataConnection()) {
        status_ = Idle;
        CloseDataConnection();
        return;
    }
    status_ = SendingFile;
    dataSocket_->SendFile(local, restartOffset_, config_->sendPauseMs);
}

void CControlSocket::cmdStore(const QString& arg, bool append) {
    QString local;
    // A name reaching outside the home directory, or a file the console writes for players.
    if (resolver().ResolveFile(arg, kFileWrite, &local) == kResolveFileNotFound ||
        resolver_.isConsoleFile(local)) {
        SendReply(msg(server_texts::kCantAccessFile));
        CloseDataConnection();
        return;
    }
    restartOffset_ = 0;
    if (append && QFileInfo(local).isFile())
        restartOffset_ = static_cast<quint32>(QFileInfo(local).size());
    SendReply(msg(server_texts::kOpeningFile));
    if (!OpenDataConnection()) {
        status_ = Idle;
        CloseDataConnection();
        return;
    }
    status_ = ReceivingFile;
    dataSocket_->ReceiveFile(local, restartOffset_);
}

void CControlSocket::cmdAbor() {
    if (dataSocket_) {
        if (status_ != Idle) SendReply(msg(server_texts::kAborDataClosed));
        PostCloseData(dataGeneration_, true);
    }
    SendReply(msg(server_texts::kAborOk));
}

}  // namespace lum
