#pragma once
// Fetching and reading a feed: CRssContentHandler collects titles and descriptions from element
// events; CXmlParserImpl downloads the URL with libcurl and drives the handler with
// QXmlStreamReader. Also the cleaning of a fetched part and the channel text file.

#include <QByteArray>
#include <QString>

namespace lum {

class CRssContentHandler {
public:
    explicit CRssContentHandler(QString leadChars);

    void startElement(const QString& localName);
    void endElement(const QString& localName);
    void characters(const QString& text);

    const QString& titles() const { return titles_; }
    const QString& descriptions() const { return descriptions_; }
    const QString& firstTitle() const { return firstTitle_; }

private:
    enum class Target { None, Title, Description };
    QString lead_;
    QString titles_;
    QString firstTitle_;
    bool haveFirstTitle_ = false;
    QString description_;
    QString descriptions_;
    Target target_ = Target::None;
};

class CXmlParserImpl {
public:
    explicit CXmlParserImpl(CRssContentHandler* handler = nullptr) : handler_(handler) {}
    // Fetches and parses `url`; false when it cannot be fetched or is not well-formed XML, with
    // the reason in `error` when given.
    bool parseUrl(const QString& url, QString* error = nullptr);
    // Parses a document already at hand.
    bool parseBytes(const QByteArray& xml, QString* error = nullptr);

private:
    CRssContentHandler* handler_;
};

// Largest feed document accepted.
inline constexpr qint64 kMaxFeedBytes = 16 * 1024 * 1024;
// Bound of each part of a channel text file.
inline constexpr qsizetype kChannelPartMax = 0xA000;  // 40,960

// Converts to the console's code page, cut to at most `maxBytes` at a character boundary.
QByteArray toAnsiLimited(const QString& text, qsizetype maxBytes);

// The cleaning of a fetched part. `full` false applies only the three quote replacements (what
// adding a feed in the editor does).
QByteArray cleanPart(QByteArray part, bool full = true);

// Channel text file: 32-bit little-endian length of the titles part, titles, descriptions.
bool writeChannelFile(const QString& path, const QByteArray& titles, const QByteArray& descriptions);
// The part a ticker takes from a channel text file (descriptions when `detailed`); false when
// the file cannot be opened.
bool readChannelPart(const QString& path, bool detailed, QByteArray* part);

// Fetches a feed and returns its cleaned titles and descriptions parts; false on failure, with
// the reason in `error` when given.
struct FetchedFeed {
    QByteArray titles;
    QByteArray descriptions;
    QString firstTitle;
};
bool fetchFeed(const QString& url, const QString& leadChars, bool fullClean, FetchedFeed* out,
               QString* error = nullptr);

}  // namespace lum
