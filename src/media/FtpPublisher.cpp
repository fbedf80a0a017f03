#include "media/FtpPublisher.h"

#include "core/DataFolder.h"
#include "core/TsanAnnotations.h"
#include "media/MediaTexts.h"

#include <QFile>
#include <QPointer>
#include <QUrl>

namespace lum {

using namespace media_texts;

FtpConnectParams ftpConnectParams(const CFtpSite& site, const FtpProfile& profile) {
    FtpConnectParams p;
    p.host = site.host;
    p.siteAddress = site.host;
    p.login = site.login;
    p.password = site.password;
    p.profileName = site.profileName;
    p.timeoutSeconds = profile.connectionTimeout();
    if (site.profileName.isEmpty()) {
        p.passive = profile.defaultUsePasvMode();
        p.attempts = quint32(std::max(profile.defaultRetries(), 0));
        p.port = 21;
        p.retryDelay = quint32(std::max(profile.defaultRetryDelay(), 0));
        p.localFolder = profile.defaultLocalPath();
    } else {
        p.passive = site.usePassive != 0;
        p.attempts = site.attempts;
        p.port = site.port;
        p.retryDelay = site.retryDelay;
        p.localFolder = site.localFolder;
    }
    while (p.localFolder.endsWith('\\')) p.localFolder.chop(1);
    if (!site.initialPath.isEmpty()) {
        QString path = site.initialPath;
        path.replace('\\', '/');
        if (path.startsWith('/')) path.remove(0, 1);
        // A host typed with a trailing "/" would start every remote path with "//".
        if (!p.host.endsWith('/')) p.host += '/';
        p.host += path;
    }
    return p;
}

QString ftpItemHost(const FtpConnectParams& params) {
    QString address = params.siteAddress.toLower();
    if (address.endsWith('/')) address.chop(1);
    if (address.startsWith("ftp://")) address.remove(0, 6);
    return QStringLiteral("ftp://%1:%2@%3:%4")
        .arg(params.login, params.password, address)
        .arg(params.port);
}

std::optional<CFtpSite> findFtpSite(const QList<CFtpSite>& sites, const QString& profileName) {
    for (const CFtpSite& s : sites)
        if (s.profileName.compare(profileName, Qt::CaseInsensitive) == 0) return s;
    return std::nullopt;
}

bool parseFtpHost(const QString& host, QString* server, quint16* port, QString* path) {
    const QString text = host.trimmed();
    if (text.isEmpty()) return false;
    // Only a text with "scheme://" is a URL as it stands; "host:2121" is a host and a port.
    const QUrl url(text.contains("://") ? text : "ftp://" + text, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().compare("ftp", Qt::CaseInsensitive) != 0 || url.host().isEmpty())
        return false;
    *server = url.host();
    if (url.port() > 0) *port = quint16(url.port());
    *path = url.path();
    return true;
}

// ---------------------------------------------------------------------------------------------

CFtpPanel::CFtpPanel(IOperatorPrompt& prompt) : prompt_(prompt) {}

void CFtpPanel::disconnect() {
    client_.close();
    entries_.clear();
    current_.clear();
}

bool CFtpPanel::connectTo(const FtpConnectParams& params, bool mplFilter) {
    disconnect();
    FtpServer server;
    quint16 port = quint16(params.port);
    QString path;
    if (!parseFtpHost(params.host, &server.server, &port, &path)) {
        prompt_.message(kInvalidFtpUrl, IOperatorPrompt::Icon::Stop);
        return false;
    }
    server.port = port;
    server.login = params.login;
    server.password = params.password;
    server.passive = params.passive;
    server.timeoutSeconds = params.timeoutSeconds > 0 ? params.timeoutSeconds : 30;
    start_ = path;

    // A stored count of 0 would end here without a word; one attempt is always made.
    const quint32 attempts = std::max<quint32>(params.attempts, 1);
    for (quint32 attempt = 0; attempt < attempts; ++attempt) {
        QString error;
        if (client_.open(server, &error)) return listFolder({}, mplFilter);
        prompt_.message(error, IOperatorPrompt::Icon::Stop);
    }
    return false;
}

bool CFtpPanel::listFolder(const QString& folder, bool mplFilter) {
    if (!client_.check()) {
        entries_.clear();
        prompt_.message(kConnectionLoss, IOperatorPrompt::Icon::Stop);
        return false;
    }
    QString target = folder.isEmpty() ? start_ : folder;
    if (!target.startsWith('/')) target.prepend('/');
    QList<FtpEntry> all;
    if (!client_.list(target, &all)) {
        target = "/";
        if (!client_.list(target, &all)) {
            entries_.clear();
            return false;
        }
    }
    entries_.clear();
    for (const FtpEntry& e : all)
        if (e.isFolder || !mplFilter || e.name.endsWith(".mpl", Qt::CaseInsensitive)) entries_ << e;
    current_ = target;
    return true;
}

bool CFtpPanel::uploadPlaylist(const QString& tempFile, const QString& remoteName, bool mplFilter) {
    const bool ok = uploadFile(tempFile, remoteName, mplFilter);
    QFile::remove(tempFile);
    return ok;
}

bool CFtpPanel::uploadFile(const QString& localFile, const QString& remoteName, bool mplFilter) {
    QString error;
    const bool ok = client_.isOpen() && client_.upload(localFile, current_, remoteName, &error);
    if (!ok) {
        if (!error.isEmpty()) prompt_.message(error, IOperatorPrompt::Icon::Stop);
        return false;
    }
    listFolder(current_, mplFilter);
    return true;
}

std::optional<QString> ftpPlaylistName(const QString& typed, IOperatorPrompt& prompt) {
    QString name = typed.trimmed();
    if (name.isEmpty()) {
        prompt.message(kPlaylistBlank, IOperatorPrompt::Icon::Stop);
        return std::nullopt;
    }
    // The name becomes a remote path and goes into FTP command lines.
    for (const QChar c : name) {
        if (c == '/' || c == '\\' || c.unicode() < 0x20 || c.unicode() == 0x7F) {
            prompt.message(kInvalidPlaylistName, IOperatorPrompt::Icon::Stop);
            return std::nullopt;
        }
    }
    if (!name.contains(".mpl", Qt::CaseInsensitive)) name += ".mpl";
    return name;
}

QString writeTemporaryPlaylist(const QString& programFolder,
                               const std::function<bool(const QString& path)>& writePlaylist) {
    const QString path = joinPath(programFolder, kTempPlaylist);
    if (!writePlaylist || !writePlaylist(path)) {
        QFile::remove(path);
        return {};
    }
    return path;
}

// ---------------------------------------------------------------------------------------------

// Hands the worker's messages to the real prompt on the publisher's thread.
class FtpPublisher::ForwardingPrompt : public IOperatorPrompt {
public:
    explicit ForwardingPrompt(FtpPublisher* owner) : owner_(owner) {}
    void message(const QString& text, Icon icon) override {
        QPointer<FtpPublisher> owner(owner_);
        QMetaObject::invokeMethod(
            owner_, handOff([owner, text, icon] { if (owner) owner->prompt_.message(text, icon); }),
            Qt::QueuedConnection);
    }
    bool askYesNo(const QString&) override { return false; }  // the panel asks nothing

private:
    FtpPublisher* owner_;
};

FtpPublisher::FtpPublisher(IOperatorPrompt& prompt, QObject* parent)
    : QObject(parent), prompt_(prompt), forward_(std::make_unique<ForwardingPrompt>(this)) {
    panel_ = std::make_unique<CFtpPanel>(*forward_);
    workerContext_ = new QObject;
    workerContext_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, workerContext_, &QObject::deleteLater);
    thread_.setObjectName("ftp");
    releaseWhenFinished(thread_);
    thread_.start();
}

FtpPublisher::~FtpPublisher() {
    // Work in progress finishes (bounded by the time-outs); its results are dropped.
    thread_.quit();
    thread_.wait();
    LUM_TSAN_ACQUIRE();
    panel_.reset();
}

void FtpPublisher::run(std::function<bool(CFtpPanel&)> work, void (FtpPublisher::*done)(bool)) {
    if (pending_++ == 0) {
        busy_ = true;
        Q_EMIT busyChanged(true);
    }
    QPointer<FtpPublisher> self(this);
    CFtpPanel* panel = panel_.get();
    QMetaObject::invokeMethod(workerContext_, handOff([self, panel, work, done] {
        const bool ok = work(*panel);
        const bool connected = panel->isConnected();
        const QString folder = panel->currentFolder();
        const QList<FtpEntry> entries = panel->entries();
        if (!self) return;
        QMetaObject::invokeMethod(self.data(), handOff([self, ok, connected, folder, entries, done] {
            if (!self) return;
            self->connected_ = connected;
            self->current_ = folder;
            self->entries_ = entries;
            if (--self->pending_ == 0) {
                self->busy_ = false;
                Q_EMIT self->busyChanged(false);
            }
            Q_EMIT(self.data()->*done)(ok);
        }), Qt::QueuedConnection);
    }), Qt::QueuedConnection);
}

void FtpPublisher::connectTo(const FtpConnectParams& params, bool mplFilter) {
    run([params, mplFilter](CFtpPanel& p) { return p.connectTo(params, mplFilter); },
        &FtpPublisher::connectFinished);
}

void FtpPublisher::listFolder(const QString& folder, bool mplFilter) {
    run([folder, mplFilter](CFtpPanel& p) { return p.listFolder(folder, mplFilter); },
        &FtpPublisher::listFinished);
}

bool FtpPublisher::savePlaylist(const QString& typedName, const QString& programFolder,
                                const std::function<bool(const QString& path)>& writePlaylist,
                                bool mplFilter) {
    if (!connected_ || busy_) return false;
    const std::optional<QString> name = ftpPlaylistName(typedName, prompt_);
    if (!name) return false;
    const QString temp = writeTemporaryPlaylist(programFolder, writePlaylist);
    if (temp.isEmpty()) return false;
    const QString remote = *name;
    run([temp, remote, mplFilter](CFtpPanel& p) { return p.uploadPlaylist(temp, remote, mplFilter); },
        &FtpPublisher::saveFinished);
    return true;
}

}  // namespace lum
