#include "media/Curl.h"

#include <mutex>

namespace lum::curl {

void ensureInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

Easy::Easy() {
    ensureInitialised();
    h_ = curl_easy_init();
    if (h_) curl_easy_setopt(h_, CURLOPT_NOSIGNAL, 1L);  // worker threads: no SIGALRM
}

void restrictToWeb(CURL* h) {
    // Feeds and web items are web resources; a link must not read local files (file://).
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
}

Easy::~Easy() {
    if (h_) curl_easy_cleanup(h_);
}

namespace {

struct Sink {
    QByteArray* body;
    qint64 max;
    bool overflow = false;
};

size_t collect(char* data, size_t size, size_t n, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const size_t bytes = size * n;
    if (sink->body->size() + qint64(bytes) > sink->max) {  // too big: abort
        sink->overflow = true;
        return 0;
    }
    sink->body->append(data, qsizetype(bytes));
    return bytes;
}

}  // namespace

bool download(const QByteArray& url, QByteArray* body, qint64 maxBytes, long timeoutSeconds,
              QString* error) {
    Easy easy;
    if (!easy) {
        if (error) *error = QStringLiteral("the HTTP library could not start");
        return false;
    }
    QByteArray data;
    Sink sink{&data, maxBytes};
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    restrictToWeb(h);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, timeoutSeconds);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    char reason[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, reason);
    const CURLcode code = curl_easy_perform(h);
    if (code != CURLE_OK) {
        if (error) {
            if (sink.overflow)
                *error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
            else
                *error = QString::fromUtf8(*reason ? reason : curl_easy_strerror(code));
        }
        return false;
    }
    *body = std::move(data);
    return true;
}

}  // namespace lum::curl
