#include "media/FtpClient.h"

#include "media/Curl.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

namespace lum {

namespace {

constexpr qint64 kUploadBlock = 1500;

size_t appendTo(char* data, size_t size, size_t n, void* user) {
    static_cast<QByteArray*>(user)->append(data, qsizetype(size * n));
    return size * n;
}

// libcurl hands every FTP server response line to the header callback.
size_t keepResponse(char* data, size_t size, size_t n, void* user) {
    QByteArray line(data, qsizetype(size * n));
    line.replace('\r', "").replace('\n', "");
    if (!line.isEmpty()) *static_cast<QByteArray*>(user) = line;
    return size * n;
}

size_t discard(char*, size_t size, size_t n, void*) { return size * n; }

struct Upload {
    QFile* file;
};

size_t readBlock(char* buffer, size_t size, size_t n, void* user) {
    auto* up = static_cast<Upload*>(user);
    const qint64 want = std::min<qint64>(qint64(size * n), kUploadBlock);
    const qint64 got = up->file->read(buffer, want);
    if (got < 0) return CURL_READFUNC_ABORT;
    return size_t(got);
}

QByteArray encodePath(const QString& folder) {
    QByteArray out;
    const QStringList parts = folder.split('/', Qt::SkipEmptyParts);
    for (const QString& p : parts) out += '/' + QUrl::toPercentEncoding(p);
    return out;
}

}  // namespace

struct FtpClient::Impl {
    std::unique_ptr<curl::Easy> easy = std::make_unique<curl::Easy>();
    FtpServer server;
    bool open = false;
    QByteArray lastResponse;
    char errorBuffer[CURL_ERROR_SIZE] = {};

    QByteArray urlFor(const QString& folder, const QString& name = {}) const {
        QByteArray host = server.server.toUtf8();
        if (host.contains(':')) host = '[' + host + ']';  // IPv6 literal
        QByteArray url = "ftp://" + host + ':' + QByteArray::number(server.port) + encodePath(folder);
        if (name.isEmpty()) return url + '/';
        return url + '/' + QUrl::toPercentEncoding(name);
    }

    // Resets per-call options and applies the connection's own.
    void prepare(const QByteArray& url) {
        CURL* h = easy->get();
        curl_easy_reset(h);
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_URL, url.constData());
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp");
        const QByteArray user = server.login.toUtf8(), pass = server.password.toUtf8();
        curl_easy_setopt(h, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(h, CURLOPT_PASSWORD, pass.constData());
        const long ms = long(server.timeoutSeconds) * 1000;
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, ms);
        curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(server.timeoutSeconds));
        // Send and receive time-out: a transfer that stalls this long ends.
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, long(server.timeoutSeconds));
        if (!server.passive) curl_easy_setopt(h, CURLOPT_FTPPORT, "-");
        curl_easy_setopt(h, CURLOPT_FTP_USE_EPSV, 0L);
        curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, keepResponse);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &lastResponse);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, discard);
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
        errorBuffer[0] = 0;
    }

    QString errorText(CURLcode rc) const {
        return QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(rc));
    }
};

FtpClient::FtpClient() : d_(std::make_unique<Impl>()) {}
FtpClient::~FtpClient() = default;

bool FtpClient::isOpen() const { return d_->open; }

void FtpClient::close() {
    // A fresh handle drops the cached control connection.
    d_->easy = std::make_unique<curl::Easy>();
    d_->open = false;
}

bool FtpClient::open(const FtpServer& server, QString* error) {
    close();
    if (!*d_->easy) {
        if (error) *error = "libcurl";
        return false;
    }
    d_->server = server;
    d_->lastResponse.clear();
    d_->prepare(d_->urlFor("/"));
    curl_easy_setopt(d_->easy->get(), CURLOPT_NOBODY, 1L);
    const CURLcode rc = curl_easy_perform(d_->easy->get());
    if (rc != CURLE_OK) {
        if (error) *error = QString::fromUtf8(d_->lastResponse) + "\r\n" + d_->errorText(rc);
        return false;
    }
    d_->open = true;
    return true;
}

bool FtpClient::check() {
    if (!d_->open) return false;
    d_->prepare(d_->urlFor("/"));
    curl_easy_setopt(d_->easy->get(), CURLOPT_NOBODY, 1L);
    struct curl_slist* cmds = curl_slist_append(nullptr, "PWD");
    curl_easy_setopt(d_->easy->get(), CURLOPT_QUOTE, cmds);
    const CURLcode rc = curl_easy_perform(d_->easy->get());
    curl_easy_setopt(d_->easy->get(), CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(cmds);
    if (rc != CURLE_OK) d_->open = false;
    return rc == CURLE_OK;
}

bool FtpClient::list(const QString& folder, QList<FtpEntry>* entries) {
    if (!d_->open) return false;
    QByteArray body;
    d_->prepare(d_->urlFor(folder));
    curl_easy_setopt(d_->easy->get(), CURLOPT_WRITEFUNCTION, appendTo);
    curl_easy_setopt(d_->easy->get(), CURLOPT_WRITEDATA, &body);
    if (curl_easy_perform(d_->easy->get()) != CURLE_OK) return false;

    QString base = folder;
    while (base.endsWith('/')) base.chop(1);
    QList<FtpEntry> out;
    const QList<QByteArray> lines = body.split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        FtpEntry e;
        if (line.isEmpty() || !parseFtpListLine(QString::fromUtf8(line), &e)) continue;
        if (e.name == "." || e.name == "..") continue;
        e.path = base + '/' + e.name;
        out << e;
    }
    *entries = std::move(out);
    return true;
}

bool FtpClient::upload(const QString& localFile, const QString& folder, const QString& name,
                       QString* error) {
    if (!d_->open) return false;
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    Upload up{&file};
    d_->prepare(d_->urlFor(folder, name));
    CURL* h = d_->easy->get();
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_TRANSFERTEXT, 0L);  // binary (TYPE I)
    curl_easy_setopt(h, CURLOPT_READFUNCTION, readBlock);
    curl_easy_setopt(h, CURLOPT_READDATA, &up);
    curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
    const CURLcode rc = curl_easy_perform(h);
    if (rc != CURLE_OK && error) *error = QString::fromUtf8(d_->lastResponse) + "\r\n" + d_->errorText(rc);
    return rc == CURLE_OK;
}

bool parseFtpListLine(const QString& line, FtpEntry* entry) {
    // Unix: "drwxr-xr-x 1 owner group 4096 Jan 01 12:00 name with blanks"
    static const QRegularExpression unixStyle(
        R"(^([\-dlbcps])[rwxsStT\-]{9}\S*\s+\d+\s+\S+\s+\S+\s+(\d+)\s+\S+\s+\S+\s+\S+\s(.+)$)");
    // MS-DOS: "01-20-24  10:00AM       <DIR>          name" or with a size
    static const QRegularExpression dos(
        R"(^\d{2}-\d{2}-\d{2,4}\s+\d{1,2}:\d{2}(?:AM|PM)?\s+(<DIR>|\d+)\s+(.+)$)");
    QRegularExpressionMatch m = unixStyle.match(line);
    if (m.hasMatch()) {
        entry->isFolder = m.captured(1) == "d";
        entry->size = m.captured(2).toLongLong();
        QString name = m.captured(3);
        if (m.captured(1) == "l") {
            const int arrow = name.indexOf(" -> ");
            if (arrow >= 0) name.truncate(arrow);
        }
        entry->name = name;
        return true;
    }
    m = dos.match(line);
    if (m.hasMatch()) {
        entry->isFolder = m.captured(1) == "<DIR>";
        entry->size = entry->isFolder ? 0 : m.captured(1).toLongLong();
        entry->name = m.captured(2);
        return true;
    }
    return false;
}

}  // namespace lum
