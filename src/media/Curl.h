#pragma once
// libcurl plumbing shared by the HTTP and FTP code: process-wide initialisation and a handle
// that cleans itself up.

#include <curl/curl.h>

#include <QByteArray>
#include <QString>

namespace lum::curl {

// Initialises libcurl once per process; safe from any thread.
void ensureInitialised();

class Easy {
public:
    Easy();
    ~Easy();
    Easy(const Easy&) = delete;
    Easy& operator=(const Easy&) = delete;
    CURL* get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    CURL* h_ = nullptr;
};

// Limits a handle (and its redirects) to HTTP and HTTPS.
void restrictToWeb(CURL* h);

// Downloads a whole resource (HTTP status 2xx, or any other scheme libcurl knows) into `body`,
// following redirects; at most `maxBytes` are accepted. False on any failure, with the reason
// in `error` when given.
bool download(const QByteArray& url, QByteArray* body, qint64 maxBytes, long timeoutSeconds = 60,
              QString* error = nullptr);

}  // namespace lum::curl
