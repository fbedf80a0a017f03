#pragma once
// Web items of a playlist: the length query against the web server and the composition of the
// item from the "URL and Path" and "File Name" fields.

#include "core/OperatorPrompt.h"
#include "playlists/PlaylistItem.h"

#include <QString>

#include <functional>
#include <optional>

namespace lum {

// The value queryWebLength gives when the length cannot be had.
inline constexpr quint32 kWebLengthFailed = 0xFFFFFFFFu;

// Asks the web server for the length of `url` (system proxy settings apply). Blocks until the
// server answers or the time-outs pass; run it off the window's thread.
quint32 queryWebLength(const QString& url);

struct WebItem {
    QString protocol = "HTTP";
    QString host;   // "http://" + server part, lower case
    quint16 port = 80;
    QString path;   // path on the server, ending in the file name
    quint32 size = 0;
};

struct WebItemResult {
    enum class Focus { None, UrlField, FileNameField };
    bool ok = false;
    WebItem item;
    Focus focus = Focus::None;  // the field the window should focus after a refusal
};

// The playlist item of a web item (protocol "HTTP", host, port 80, path, file name, size).
PlaylistItem toPlaylistItem(const WebItem& web);

using WebLengthQuery = std::function<quint32(const QString& url)>;

// Composes a web item; refusals are shown through `prompt`.
WebItemResult composeWebItem(const QString& urlAndPath, const QString& fileName,
                             IOperatorPrompt& prompt, const WebLengthQuery& query = queryWebLength);

// The same in two halves, so that a window asks for the length off its own thread: the fields'
// checks and the item without its size (ok false after a refusal), then the length the query
// gave ("Can't get the file length, please check url" and false for a failed query).
WebItemResult prepareWebItem(const QString& urlAndPath, const QString& fileName,
                             IOperatorPrompt& prompt);
bool finishWebItem(WebItemResult& result, quint32 length, IOperatorPrompt& prompt);

// The URL whose length is asked: host and path joined by "/" ("http://" put before a host
// that has no scheme).
QString webItemUrl(const WebItem& item);

// A web address another window hands to the Commander: trimmed, every blank removed, the
// scheme up to "//" dropped; the text before the first "/" is the host, the rest the path;
// protocol HTTP, port 80, size still to be asked. Nothing when no host is left.
std::optional<WebItem> webItemFromAddress(const QString& address);

}  // namespace lum
