#include "media/RssThread.h"

#include "core/AtomicFile.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/TsanAnnotations.h"
#include "media/MediaTexts.h"
#include "media/RssFeed.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace lum {

using namespace media_texts;

namespace {

constexpr qsizetype kTickerMax = 0x14000;  // 81,920 bytes of UTF-8
constexpr qsizetype kTickerZeroAt = 0x5000;

// Cut at most `max` bytes of UTF-8 without splitting a character.
QByteArray cutUtf8(QByteArray s, qsizetype max) {
    if (s.size() <= max) return s;
    qsizetype cut = max;
    while (cut > 0 && (quint8(s[cut]) & 0xC0) == 0x80) --cut;
    s.truncate(cut);
    return s;
}

// A channel file name from the document must stay inside "server data/".
bool safeChannelName(const QString& name) {
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && name != "." &&
           name != "..";
}

}  // namespace

CRssThread::CRssThread(QString programFolder, RssGroupSource groups, ICommandSender* sender,
                       int refreshIntervalMs, QObject* parent)
    : QObject(parent),
      programFolder_(std::move(programFolder)),
      serverDataDir_(joinPath(programFolder_, kServerDataDir)),
      configPath_(joinPath(serverDataDir_, kRssConfigFile)),
      groups_(std::move(groups)),
      sender_(sender),
      intervalMs_(refreshIntervalMs) {
    thread_.setObjectName("rss");
    releaseWhenFinished(thread_);
}

CRssThread::~CRssThread() { stop(); }

void CRssThread::start() {
    if (thread_.isRunning()) return;
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
    // The worker thread keeps its own copy: the member belongs to the thread that starts and
    // stops it.
    QObject* worker = worker_;
    QMetaObject::invokeMethod(worker, handOff([this, worker] {
        loadConfiguration();
        refresh(false);
        auto* timer = new QTimer(worker);
        connect(timer, &QTimer::timeout, worker, [this] { refresh(true); });
        timer->start(intervalMs_);
    }), Qt::QueuedConnection);
}

void CRssThread::stop() {
    if (!thread_.isRunning()) return;
    stopping_ = true;  // a refresh in progress ends after its current fetch
    thread_.quit();
    thread_.wait();
    LUM_TSAN_ACQUIRE();
    worker_ = nullptr;
    stopping_ = false;
}

bool CRssThread::requestRefresh() {
    if (!worker_) return false;
    QMetaObject::invokeMethod(worker_, handOff([this] { refresh(true); }), Qt::QueuedConnection);
    return true;
}

bool CRssThread::loadConfiguration() {
    RssConfig doc;
    QString error;
    if (!doc.load(configPath_, &error)) {
        if (QFileInfo::exists(configPath_)) Q_EMIT configurationRefused(error);
        return false;
    }
    const QByteArray line = doc.settingsLine();
    const bool autoRss = doc.hasConfig() && doc.settings().autorsson != 0;
    QList<RssConfig::Entry> channels = doc.allChannels();
    for (auto& e : channels) e.channel.active = true;  // every channel is fetched

    {
        std::lock_guard lock(mutex_);
        settingsChanged_ = !settingsLine_.isEmpty() && settingsLine_ != line;
        settingsLine_ = line;
        config_ = std::move(doc);
        channels_ = std::move(channels);
        autoRss_ = autoRss;
    }
    Q_EMIT configurationLoaded();
    return true;
}

bool CRssThread::settingsChanged() const {
    std::lock_guard lock(mutex_);
    return settingsChanged_;
}

QByteArray CRssThread::settingsLine() const {
    std::lock_guard lock(mutex_);
    return settingsLine_.isEmpty() ? QByteArray(kDefaultSettingsLine) : settingsLine_;
}

QList<RssConfig::Entry> CRssThread::channelList() const {
    std::lock_guard lock(mutex_);
    return channels_;
}

RssConfig CRssThread::configuration() const {
    std::lock_guard lock(mutex_);
    return config_;
}

QString CRssThread::channelPath(const QString& fileName) const {
    return joinPath(serverDataDir_, fileName);
}

void CRssThread::refresh(bool notify) {
    std::lock_guard refreshLock(refreshMutex_);
    QList<RssConfig::Entry> channels;
    QString lead;
    {
        std::lock_guard lock(mutex_);
        channels = channels_;
        lead = config_.leadChars();
    }
    for (const RssConfig::Entry& e : channels) {
        if (stopping_) return;
        if (!e.channel.active || !safeChannelName(e.channel.fileName)) continue;
        FetchedFeed feed;
        // A feed that cannot be fetched or parsed keeps its previous text file.
        if (!fetchFeed(e.channel.link, lead, true, &feed)) continue;
        writeChannelFile(channelPath(e.channel.fileName), feed.titles, feed.descriptions);
    }
    if (groups_) {
        for (const RssGroupInfo& g : groups_()) buildTickerFile(g, notify);
    }
    {
        std::lock_guard lock(mutex_);
        settingsChanged_ = false;
    }
    Q_EMIT refreshed();
}

bool CRssThread::buildTickerFile(const QString& groupName, bool notify) {
    if (!groups_) return false;
    for (const RssGroupInfo& g : groups_())
        if (g.name.compare(groupName, Qt::CaseInsensitive) == 0) return buildTickerFile(g, notify);
    return false;
}

bool CRssThread::buildTickerFile(const RssGroupInfo& group, bool notify) {
    QList<RssChannel> channels;
    QByteArray line;
    bool changedSettings = false;
    {
        std::lock_guard lock(mutex_);
        if (!config_.hasGroup(group.name)) return true;  // nothing to build from; files untouched
        channels = config_.channels(group.name);
        line = settingsLine_.isEmpty() ? QByteArray(kDefaultSettingsLine) : settingsLine_;
        changedSettings = settingsChanged_;
    }

    QByteArray text;
    for (const RssChannel& ch : channels) {
        if (!ch.active || !safeChannelName(ch.fileName)) continue;
        QByteArray part;
        if (readChannelPart(channelPath(ch.fileName), ch.detailed, &part)) text += part;
    }

    const QString tickerPath = joinPath(group.homeDir, fixed_names::kTicker);
    if (text.isEmpty()) {
        QFile::remove(tickerPath);
        return false;
    }
    QByteArray utf8 = cutUtf8(fromAnsi(text).toUtf8(), kTickerMax);
    // The players read at most this much of the text.
    if (utf8.size() > kTickerZeroAt) utf8[kTickerZeroAt] = '\0';

    const QFileInfo before(tickerPath);
    const qint64 oldSize = before.exists() ? before.size() : -1;
    const QByteArray data = line + utf8;
    if (!writeFileAtomic(tickerPath, data)) return false;
    if (oldSize == data.size() && !changedSettings) return false;
    if (notify && autoRss() && sender_)
        sender_->send(CommandTarget::group(group.name), CommandIndex::UpdateRss);
    return true;
}

PostResult CRssThread::startRssFeeds(const QString& groupName) {
    buildTickerFile(groupName, false);
    if (!sender_) return {};
    return sender_->send(CommandTarget::group(groupName), CommandIndex::RssMessage);
}

bool CRssThread::editDocument(const std::function<bool(RssConfig&)>& edit) {
    {
        std::lock_guard lock(docMutex_);
        RssConfig doc;
        if (!doc.load(configPath_)) return false;
        if (!edit(doc) || !doc.save(configPath_)) return false;
    }
    loadConfiguration();
    return true;
}

bool CRssThread::addGroupElement(const QString& name) {
    return editDocument([&](RssConfig& d) { return d.addGroup(name); });
}

bool CRssThread::renameGroupElement(const QString& oldName, const QString& newName) {
    return editDocument([&](RssConfig& d) { return d.renameGroup(oldName, newName); });
}

bool CRssThread::removeGroupElement(const QString& name) {
    return editDocument([&](RssConfig& d) { return d.removeGroup(name); });
}

}  // namespace lum
