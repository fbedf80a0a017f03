#pragma once
// A blocking FTP client over libcurl: one control connection kept open between calls, listing,
// binary uploads. Every call blocks until the server answers or the time-outs pass, so it is
// used from a worker thread (FtpPublisher).

#include <QList>
#include <QString>

#include <memory>

namespace lum {

struct FtpEntry {
    QString name;
    qint64 size = 0;
    bool isFolder = false;
    QString path;  // folder + "/" + name
    bool operator==(const FtpEntry&) const = default;
};

struct FtpServer {
    QString server;
    quint16 port = 21;
    QString login;
    QString password;
    bool passive = false;
    int timeoutSeconds = 30;  // connect, send and receive
};

class FtpClient {
public:
    FtpClient();
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // Opens the connection and logs in. On failure `error` gets the server's last response
    // (line breaks removed), "\r\n" and the error text.
    bool open(const FtpServer& server, QString* error);
    void close();
    bool isOpen() const;

    // Checks that the server still answers (PWD); false when the connection is lost.
    bool check();
    // Lists `folder` (an absolute remote path); false when it cannot be entered or read.
    bool list(const QString& folder, QList<FtpEntry>* entries);
    // Stores the local file as `folder`/`name` in binary mode, in blocks of at most 1500 bytes.
    bool upload(const QString& localFile, const QString& folder, const QString& name,
                QString* error = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Parses one line of a LIST reply in Unix or MS-DOS style; false for lines it cannot read.
bool parseFtpListLine(const QString& line, FtpEntry* entry);

}  // namespace lum
