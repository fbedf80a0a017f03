#pragma once
// The RSS editor's operations without its windows: opening (creating the document when
// missing), the preview, "Add Feed" with its "Connect", delete, refresh of one channel on a
// worker thread, "Property" (with a move to another group), and the group and global settings.
// Every change saves the document and has the ticker worker reload it.

#include "core/OperatorPrompt.h"
#include "media/RssConfig.h"
#include "media/RssFeed.h"
#include "media/RssThread.h"

#include <QObject>

#include <functional>

namespace lum {

inline constexpr int kLeadCharsMax = 20;
inline constexpr qsizetype kFirstTitleMax = 2048;

class CRssEditor {
public:
    explicit CRssEditor(CRssThread& thread) : thread_(thread), serverDataDir_(thread.serverDataDir()) {}

    // Creates the document with the defaults when it does not exist, then loads it. False, with
    // the reason in `error` when given, when it cannot be created or is refused.
    bool open(const QStringList& storeGroups, QString* error = nullptr);
    const RssConfig& document() const { return doc_; }

    // The part a channel contributes (descriptions when detailed); empty when unreadable.
    QString preview(const RssChannel& channel) const;

    // "Connect": trims the URL; fetches it and gives the collected text and first title.
    // Shows "Can not connect to: %s" on failure. Blocks: run it off the window's thread.
    bool connectFeed(const QString& url, IOperatorPrompt& prompt, FetchedFeed* collected) const;
    // The same fetch on a short-lived worker thread, without talking to the operator: `done`
    // runs on `context`'s thread with the collected feed, or the reason it failed (dropped when
    // `context` has gone by then). The caller shows cannotConnectText() on failure.
    using ConnectDone = std::function<void(bool ok, const FetchedFeed& collected, const QString& error)>;
    void connectFeedAsync(const QString& url, QObject* context, ConnectDone done) const;
    static QString cannotConnectText(const QString& url);

    // OK of "Add New Feed". Needs a URL and a title. Returns the new channel's index in its
    // group, -1 when refused or the document cannot be saved.
    int addFeed(const QString& group, const QString& url, const QString& title, bool active,
                bool detailed, const FetchedFeed& collected);
    // Delete and Property address a channel by its place in the group as this editor shows it;
    // when the file has changed meanwhile so that another channel sits there, they refuse.
    bool deleteChannel(const QString& group, int index);
    // "&Property": title, Active and Detailed news; a different `newGroup` moves the channel.
    bool changeChannel(const QString& group, int index, const QString& title, bool active,
                       bool detailed, const QString& newGroup);
    bool setGroupSettings(const QString& group, const RssDisplaySettings& s);
    // "Save" of the settings box; the lead characters are cut to 20.
    bool setGlobalSettings(const RssDisplaySettings& s, const QString& leadChars);

    // "&Refresh": fetches one channel, rewrites its text file and gives the preview. Blocks.
    // False with the reason in `error` when given; the old text file then stays.
    bool refreshChannel(const QString& group, int index, QString* preview,
                        QString* error = nullptr) const;
    // The same on a short-lived worker thread; `done` runs on `context`'s thread (dropped when
    // `context` has gone by then).
    using RefreshDone = std::function<void(bool ok, const QString& preview, const QString& error)>;
    void refreshChannelAsync(const QString& group, int index, QObject* context, RefreshDone done) const;

private:
    bool commit(const std::function<bool(RssConfig&)>& edit);
    // The channel at `index` of `group` in `fresh` is the one this editor shows there.
    bool sameChannel(const RssConfig& fresh, const QString& group, int index) const;
    QString channelPath(const QString& fileName) const;

    CRssThread& thread_;
    // Kept by value: a refresh still running on its worker when the program ends needs no more
    // of the ticker worker than this.
    QString serverDataDir_;
    RssConfig doc_;
};

}  // namespace lum
