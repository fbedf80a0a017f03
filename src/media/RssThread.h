#pragma once
// The ticker worker: keeps a loaded copy of the RSS configuration, refreshes every channel on a
// timer (60 s by default) on a thread of its own, and rebuilds each group's ticker file
// "rssmsg.txt". Players of a group whose ticker changed are told to reload it (command 14) when
// auto RSS is on.
//
// The editor, the online view and path resolution call in from other threads: the loaded state
// is guarded by a mutex that is never held across a network fetch, and refreshes run one at a
// time.

#include "core/CommandSender.h"
#include "media/RssConfig.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <mutex>

namespace lum {

// A player group as the ticker needs it (from the account store).
struct RssGroupInfo {
    QString name;
    QString homeDir;
};
using RssGroupSource = std::function<QList<RssGroupInfo>()>;

class CRssThread : public QObject {
    Q_OBJECT
public:
    // `sender` may be null (no players to tell, e.g. in tools).
    CRssThread(QString programFolder, RssGroupSource groups, ICommandSender* sender,
               int refreshIntervalMs = 60000, QObject* parent = nullptr);
    ~CRssThread() override;

    // Starts the worker: loads the configuration, refreshes once without notifying, then
    // refreshes with notifying on every tick.
    void start();
    // Ends the timer and the worker thread (waits for a refresh in progress).
    void stop();

    QString configPath() const { return configPath_; }
    QString serverDataDir() const { return serverDataDir_; }

    // Reloads the document; on failure the previous state stays. Returns whether it loaded.
    bool loadConfiguration();
    // Fetches every channel, then rebuilds every group's ticker file. Blocks; any thread.
    void refresh(bool notify);
    // Queues a refresh with notifying on the worker thread; false when the worker is not running.
    bool requestRefresh();
    // Rebuilds one group's ticker file; returns whether it changed.
    bool buildTickerFile(const RssGroupInfo& group, bool notify);
    bool buildTickerFile(const QString& groupName, bool notify);  // false for an unknown group
    // "Start RSS Feeds": builds the group's ticker without notifying, then sends command 13 to
    // the group; what the send came to (nothing without a sender).
    PostResult startRssFeeds(const QString& groupName);

    bool autoRss() const { return autoRss_.load(); }
    bool settingsChanged() const;
    QByteArray settingsLine() const;
    QList<RssConfig::Entry> channelList() const;
    RssConfig configuration() const;

    // Group element upkeep for groups added, renamed or deleted; each saves the document at
    // once and reloads. False when the document cannot be loaded or saved, or nothing matched.
    bool addGroupElement(const QString& name);
    bool renameGroupElement(const QString& oldName, const QString& newName);
    bool removeGroupElement(const QString& name);

    // Loads the document file, applies `edit`, saves it and reloads. Edits run one at a time.
    bool editDocument(const std::function<bool(RssConfig&)>& edit);

Q_SIGNALS:
    // Emitted (from the refreshing thread) when a refresh has finished.
    void refreshed();
    // The document was (re)loaded, whoever changed it (an editor, lumctl, group upkeep). Any
    // thread.
    void configurationLoaded();
    // rssconfig.xml exists but was refused (damaged, too large, nested too deep); `why` names
    // the file and the reason. Any thread.
    void configurationRefused(const QString& why);

private:
    QString channelPath(const QString& fileName) const;

    const QString programFolder_;
    const QString serverDataDir_;
    const QString configPath_;
    RssGroupSource groups_;
    ICommandSender* sender_;
    const int intervalMs_;

    QThread thread_;
    QObject* worker_ = nullptr;

    mutable std::mutex mutex_;  // guards the loaded state below
    RssConfig config_;
    QList<RssConfig::Entry> channels_;
    QByteArray settingsLine_;
    bool settingsChanged_ = false;
    std::atomic<bool> autoRss_{false};
    std::atomic<bool> stopping_{false};

    std::mutex refreshMutex_;  // one refresh at a time
    std::mutex docMutex_;      // one document edit at a time
};

}  // namespace lum
