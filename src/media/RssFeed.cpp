#include "media/RssFeed.h"

#include "core/AtomicFile.h"
#include "core/Codepage.h"
#include "media/Curl.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtEndian>

namespace lum {

CRssContentHandler::CRssContentHandler(QString leadChars) : lead_(std::move(leadChars)) {}

void CRssContentHandler::startElement(const QString& localName) {
    if (localName == QLatin1String("title")) {
        target_ = Target::Title;
        titles_ += lead_;
    } else if (localName == QLatin1String("description")) {
        target_ = Target::Description;
        description_.clear();
    } else {
        target_ = Target::None;
    }
}

void CRssContentHandler::characters(const QString& text) {
    if (target_ == Target::Title) {
        titles_ += text;
        if (!haveFirstTitle_) {
            firstTitle_ = text;
            haveFirstTitle_ = true;
        }
    } else if (target_ == Target::Description) {
        description_ += text;
    }
}

void CRssContentHandler::endElement(const QString& localName) {
    if (localName == QLatin1String("title") && target_ == Target::Title) {
        titles_ += " \r\n";
    } else if (localName == QLatin1String("description") && target_ == Target::Description) {
        descriptions_ += lead_;
        const int a = description_.indexOf("</a>");
        if (a < 0) {
            descriptions_ += description_;
        } else {
            const int from = a + 4;
            const int p = description_.indexOf("</p>", from);
            if (p >= 0) {
                QString text = description_.mid(from, p - from);
                text.chop(1);
                const int open = text.indexOf("<p>");
                const int close = open >= 0 ? text.indexOf("</p>", open + 3) : -1;
                descriptions_ += close >= 0 ? text.mid(open + 3, close - open - 3) : text;
            }
        }
        descriptions_ += " \r\n";
    }
}

bool CXmlParserImpl::parseBytes(const QByteArray& xml, QString* error) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (handler_) handler_->startElement(reader.name().toString());
            break;
        case QXmlStreamReader::EndElement:
            if (handler_) handler_->endElement(reader.name().toString());
            break;
        case QXmlStreamReader::Characters:
            if (handler_) handler_->characters(reader.text().toString());
            break;
        default:
            break;
        }
    }
    if (!reader.hasError()) return true;
    if (error)
        *error = QStringLiteral("not a feed (line %1: %2)").arg(reader.lineNumber()).arg(reader.errorString());
    return false;
}

bool CXmlParserImpl::parseUrl(const QString& url, QString* error) {
    QByteArray body;
    if (!curl::download(url.toUtf8(), &body, kMaxFeedBytes, 60, error)) return false;
    return parseBytes(body, error);
}

QByteArray toAnsiLimited(const QString& text, qsizetype maxBytes) {
    QString s = text.left(maxBytes);  // every character takes at least one byte
    QByteArray bytes = toAnsi(s);
    while (bytes.size() > maxBytes) {
        s.chop(std::max<qsizetype>(1, (bytes.size() - maxBytes) / 2));
        bytes = toAnsi(s);
    }
    return bytes;
}

QByteArray cleanPart(QByteArray part, bool full) {
    part.replace("\r\n'\r\n", "'");
    part.replace("\r\n\"\r\n", "\"");
    part.replace("\r\n&\r\n", "&");
    if (!full) return part;
    part.replace("&nbsp;", " ");
    part.replace("&quot;", "\"");
    part.replace("&lt;", "<");
    part.replace("&gt;", ">");
    qsizetype pos = 0;
    while (pos < part.size() - 1) {
        if (part[pos] != '<') {
            ++pos;
            continue;
        }
        if (part[pos + 1] == '<') {
            pos += 2;
            continue;
        }
        const qsizetype close = part.indexOf('>', pos + 1);
        if (close < 0) break;
        part.remove(pos, close - pos + 1);
    }
    return part;
}

bool writeChannelFile(const QString& path, const QByteArray& titles, const QByteArray& descriptions) {
    QByteArray data(4, '\0');
    qToLittleEndian(qint32(titles.size()), data.data());
    data += titles;
    data += descriptions;
    return writeFileAtomic(path, data);
}

bool readChannelPart(const QString& path, bool detailed, QByteArray* part) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = f.readAll();
    part->clear();
    if (data.size() < 4) return true;
    const qint64 t = qFromLittleEndian<qint32>(data.constData());
    if (t >= 0 && t < data.size()) {
        // A titles length beyond the data (a damaged file) takes only what is there.
        if (detailed)
            *part = data.size() > 4 + t ? data.mid(4 + t) : QByteArray();
        else
            *part = data.mid(4, t);
    } else {
        *part = data.mid(4);
    }
    return true;
}

bool fetchFeed(const QString& url, const QString& leadChars, bool fullClean, FetchedFeed* out,
               QString* error) {
    CRssContentHandler handler(leadChars);
    CXmlParserImpl parser(&handler);
    if (!parser.parseUrl(url, error)) return false;
    out->titles = cleanPart(toAnsiLimited(handler.titles(), kChannelPartMax), fullClean);
    out->descriptions = cleanPart(toAnsiLimited(handler.descriptions(), kChannelPartMax), fullClean);
    out->firstTitle = handler.firstTitle();
    return true;
}

}  // namespace lum
