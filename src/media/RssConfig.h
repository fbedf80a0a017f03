#pragma once
// The RSS configuration document "server data/rssconfig.xml": display settings on the `config`
// element, one `group` element per player group holding its `channel` elements (`titel`, `link`,
// `filename`, `status`, `ttu`). Read and written through pugixml; saved whole and atomically,
// UTF-8 with the declaration line.

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace lum {

struct RssChannel {
    QString title;     // `titel`
    QString link;      // feed URL
    QString fileName;  // channel text file under "server data/"
    bool active = true;     // `status` "1"
    bool detailed = false;  // `ttu` "1": descriptions instead of titles
    bool operator==(const RssChannel&) const = default;
};

// The six display attributes (choice indexes) as the settings dialog edits them.
struct RssDisplaySettings {
    int bgcolor = 1;
    int fgcolor = 0;
    int trans = 4;
    int speed = 2;
    int clkon = 1;
    int autorsson = 0;
    bool operator==(const RssDisplaySettings&) const = default;
};

// The document nests config > group > channel > field; a file nested deeper than kMaxRssDepth
// elements, or larger than kMaxRssConfigBytes, is refused on load and restore (saved
// pretty-printed, a deep file grows with one indent per level).
inline constexpr int kMaxRssDepth = 8;
inline constexpr qint64 kMaxRssConfigBytes = 4 * 1024 * 1024;

// Why `bytes` cannot be an RSS configuration document (too large, nested too deep, not XML);
// empty when it can.
QString rssConfigProblem(const QByteArray& bytes);

// Channel text file name for a feed URL: "HTTP://" dropped (any case), '/' and '.' dropped, the
// last three characters dropped from results longer than four. Characters a file name cannot
// hold become '_'. Empty for URLs of 256 characters or more.
QString feedFileName(const QString& url);

// "osd_settings=..." line for display settings (speed 0 -> 4, 1 -> 2, 2 -> 1, else 2).
QByteArray settingsLineFor(const RssDisplaySettings& s);

class RssConfig {
public:
    RssConfig();
    ~RssConfig();
    RssConfig(const RssConfig&);
    RssConfig& operator=(const RssConfig&);

    // A new document with the defaults, one group element per name (store order) and, inside
    // the group named "home" (any case), the default news channel.
    static RssConfig createDefault(const QStringList& groups);

    // False, with the reason in `error` when given, for a missing, unreadable or refused file.
    bool load(const QString& path, QString* error = nullptr);
    bool save(const QString& path) const;
    QByteArray toBytes() const;

    bool hasConfig() const;
    RssDisplaySettings settings() const;  // missing or empty attributes read as the defaults
    void setSettings(const RssDisplaySettings& s);
    QString leadChars() const;            // " <<" when empty
    void setLeadChars(const QString& lead);
    QByteArray settingsLine() const;      // the fixed default line without a config element

    QStringList groupNames() const;
    bool hasGroup(const QString& name) const;  // no case
    bool addGroup(const QString& name);        // false when present
    bool renameGroup(const QString& oldName, const QString& newName);
    bool removeGroup(const QString& name);
    RssDisplaySettings groupSettings(const QString& group) const;
    bool setGroupSettings(const QString& group, const RssDisplaySettings& s);

    QList<RssChannel> channels(const QString& group) const;
    // Appends a channel; the group element is created when missing.
    void addChannel(const QString& group, const RssChannel& channel);
    bool removeChannel(const QString& group, int index);
    // Replaces title, status and ttu; moves the channel to `newGroup` when that names another.
    bool changeChannel(const QString& group, int index, const RssChannel& values,
                       const QString& newGroup);

    // Every channel of every group in document order, with its group name.
    struct Entry {
        QString group;
        RssChannel channel;
    };
    QList<Entry> allChannels() const;

private:
    pugi::xml_node groupNode(const QString& name) const;
    pugi::xml_node channelNode(const QString& group, int index) const;
    std::unique_ptr<pugi::xml_document> doc_;
};

}  // namespace lum
