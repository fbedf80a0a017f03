#include "media/WebItem.h"

#include "core/Codepage.h"
#include "media/Curl.h"
#include "media/MediaTexts.h"

namespace lum {

namespace {

// Stops the transfer at the first body byte: only the headers are needed.
size_t stopAtBody(char*, size_t, size_t, void*) { return 0; }

}  // namespace

quint32 queryWebLength(const QString& url) {
    curl::Easy easy;
    if (!easy) return kWebLengthFailed;
    CURL* h = easy.get();
    const QByteArray u = url.toUtf8();
    curl_easy_setopt(h, CURLOPT_URL, u.constData());
    curl::restrictToWeb(h);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, stopAtBody);
    const CURLcode rc = curl_easy_perform(h);
    if (rc != CURLE_OK && rc != CURLE_WRITE_ERROR) return kWebLengthFailed;
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status >= 300) return kWebLengthFailed;
    curl_off_t length = -1;
    if (curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK)
        return kWebLengthFailed;
    if (length < 0 || length >= curl_off_t(kWebLengthFailed)) return kWebLengthFailed;
    return quint32(length);
}

PlaylistItem toPlaylistItem(const WebItem& web) {
    PlaylistItem item;
    PlaylistItem::setField(item.protocol, toAnsi(web.protocol));
    PlaylistItem::setField(item.host, toAnsi(web.host));
    item.port = web.port;
    item.setPathAndName(toAnsi(web.path));
    item.size = qint32(web.size);
    return item;
}

WebItemResult prepareWebItem(const QString& urlAndPath, const QString& fileName,
                             IOperatorPrompt& prompt) {
    WebItemResult r;
    if (urlAndPath.isEmpty()) {
        prompt.message(media_texts::kUrlBlank, IOperatorPrompt::Icon::Stop);
        r.focus = WebItemResult::Focus::UrlField;
        return r;
    }
    QString text = urlAndPath.trimmed().toLower();
    text.remove("http://");
    QString host, path;
    const int slash = text.indexOf('/');
    if (slash >= 0) {
        host = "http://" + text.left(slash);
        path = text.mid(slash + 1);
    } else {
        host = "http://" + text;
    }

    if (fileName.isEmpty()) {
        prompt.message(media_texts::kFileNameBlank, IOperatorPrompt::Icon::Stop);
        r.focus = WebItemResult::Focus::FileNameField;
        return r;
    }
    const QString name = fileName.trimmed();
    if (path.isEmpty())
        path = name;
    else if (path.endsWith('/'))
        path += name;
    else
        path += '/' + name;
    r.ok = true;
    r.item.host = host;
    r.item.path = path;
    return r;
}

bool finishWebItem(WebItemResult& r, quint32 length, IOperatorPrompt& prompt) {
    if (length == kWebLengthFailed || length == kWebLengthFailed - 1) {
        prompt.message(media_texts::kNoFileLength, IOperatorPrompt::Icon::Stop);
        r.ok = false;
        return false;
    }
    r.item.size = length;
    return true;
}

WebItemResult composeWebItem(const QString& urlAndPath, const QString& fileName,
                             IOperatorPrompt& prompt, const WebLengthQuery& query) {
    WebItemResult r = prepareWebItem(urlAndPath, fileName, prompt);
    if (r.ok) finishWebItem(r, query(webItemUrl(r.item)), prompt);
    return r;
}

QString webItemUrl(const WebItem& item) {
    const QString host = item.host.startsWith("http://", Qt::CaseInsensitive) ||
                                 item.host.startsWith("https://", Qt::CaseInsensitive)
                             ? item.host
                             : "http://" + item.host;
    return host + '/' + item.path;
}

std::optional<WebItem> webItemFromAddress(const QString& address) {
    QString text = address.trimmed();
    text.remove(' ');
    const int scheme = text.indexOf("//");
    if (scheme >= 0) text = text.mid(scheme + 2);
    const int slash = text.indexOf('/');
    WebItem item;
    item.host = slash >= 0 ? text.left(slash) : text;
    item.path = slash >= 0 ? text.mid(slash + 1) : QString();
    if (item.host.isEmpty()) return std::nullopt;
    return item;
}

}  // namespace lum
