#include "media/RssEditor.h"

#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "media/MediaTexts.h"

#include <QFileInfo>
#include <QThread>

#include <memory>
#include <optional>
#include <tuple>

namespace lum {

bool CRssEditor::open(const QStringList& storeGroups, QString* error) {
    if (!QFileInfo::exists(thread_.configPath())) {
        if (!RssConfig::createDefault(storeGroups).save(thread_.configPath())) {
            if (error) *error = QStringLiteral("%1: cannot be written").arg(thread_.configPath());
            return false;
        }
        thread_.loadConfiguration();
    }
    return doc_.load(thread_.configPath(), error);
}

QString CRssEditor::channelPath(const QString& fileName) const {
    return joinPath(serverDataDir_, fileName);
}

QString CRssEditor::preview(const RssChannel& channel) const {
    if (channel.fileName.isEmpty() || channel.fileName.contains('/') || channel.fileName.contains('\\'))
        return {};
    QByteArray part;
    if (!readChannelPart(channelPath(channel.fileName), channel.detailed, &part)) return {};
    return fromAnsi(part);
}

namespace {

// What "Connect" collects: the quote replacements only, the first title as the dialog holds it.
bool fetchForConnect(const QString& url, const QString& lead, FetchedFeed* collected, QString* error) {
    FetchedFeed feed;
    if (!fetchFeed(url, lead, false, &feed, error)) return false;
    feed.firstTitle = fromAnsi(toAnsiLimited(feed.firstTitle, kFirstTitleMax));
    *collected = std::move(feed);
    return true;
}

// Runs `work` on a thread of its own and hands its outcome to `context`'s thread. The hand-over
// rides on the thread's finished signal, so Qt drops it when `context` has gone meanwhile (a
// pointer checked on the worker could be deleted between the check and the call).
template <typename Work, typename Done>
void runDetached(QObject* context, Work work, Done done) {
    using Outcome = decltype(work());
    auto outcome = std::make_shared<std::optional<Outcome>>();
    QThread* worker = QThread::create([outcome, work = std::move(work)]() mutable { *outcome = work(); });
    QObject::connect(worker, &QThread::finished, context, [outcome, done = std::move(done)] {
        if (*outcome) std::apply(done, **outcome);
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}

}  // namespace

QString CRssEditor::cannotConnectText(const QString& url) {
    return QString::fromLatin1(media_texts::kCannotConnect).arg(url);
}

bool CRssEditor::connectFeed(const QString& url, IOperatorPrompt& prompt, FetchedFeed* collected) const {
    const QString u = url.trimmed();
    if (u.isEmpty()) return false;
    if (!fetchForConnect(u, doc_.leadChars(), collected, nullptr)) {
        prompt.message(cannotConnectText(u), IOperatorPrompt::Icon::Stop);
        return false;
    }
    return true;
}

void CRssEditor::connectFeedAsync(const QString& url, QObject* context, ConnectDone done) const {
    const QString u = url.trimmed();
    runDetached(
        context,
        [u, lead = doc_.leadChars()] {
            FetchedFeed feed;
            QString error;
            const bool ok = fetchForConnect(u, lead, &feed, &error);
            return std::tuple(ok, feed, error);
        },
        std::move(done));
}

bool CRssEditor::commit(const std::function<bool(RssConfig&)>& edit) {
    if (!thread_.editDocument(edit)) return false;
    doc_.load(thread_.configPath());
    return true;
}

int CRssEditor::addFeed(const QString& group, const QString& url, const QString& title, bool active,
                        bool detailed, const FetchedFeed& collected) {
    const QString u = url.trimmed();
    if (u.isEmpty() || title.isEmpty()) return -1;
    RssChannel ch{title, u, feedFileName(u), active, detailed};
    if (!ch.fileName.isEmpty())
        writeChannelFile(channelPath(ch.fileName), collected.titles.left(kChannelPartMax),
                         collected.descriptions.left(kChannelPartMax));
    int index = -1;
    const bool ok = commit([&](RssConfig& d) {
        d.addChannel(group, ch);
        index = int(d.channels(group).size()) - 1;
        return true;
    });
    return ok ? index : -1;
}

bool CRssEditor::sameChannel(const RssConfig& fresh, const QString& group, int index) const {
    const QList<RssChannel> shown = doc_.channels(group);
    const QList<RssChannel> now = fresh.channels(group);
    return index >= 0 && index < shown.size() && index < now.size() &&
           shown[index].link == now[index].link && shown[index].fileName == now[index].fileName;
}

bool CRssEditor::deleteChannel(const QString& group, int index) {
    return commit([&](RssConfig& d) { return sameChannel(d, group, index) && d.removeChannel(group, index); });
}

bool CRssEditor::changeChannel(const QString& group, int index, const QString& title, bool active,
                               bool detailed, const QString& newGroup) {
    RssChannel values;
    values.title = title;
    values.active = active;
    values.detailed = detailed;
    return commit([&](RssConfig& d) {
        return sameChannel(d, group, index) && d.changeChannel(group, index, values, newGroup);
    });
}

bool CRssEditor::setGroupSettings(const QString& group, const RssDisplaySettings& s) {
    return commit([&](RssConfig& d) { return d.setGroupSettings(group, s); });
}

bool CRssEditor::setGlobalSettings(const RssDisplaySettings& s, const QString& leadChars) {
    return commit([&](RssConfig& d) {
        d.setSettings(s);
        d.setLeadChars(leadChars.left(kLeadCharsMax));
        return true;
    });
}

bool CRssEditor::refreshChannel(const QString& group, int index, QString* preview, QString* error) const {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QList<RssChannel> channels = doc_.channels(group);
    if (index < 0 || index >= channels.size()) return fail(QStringLiteral("no such channel"));
    const RssChannel ch = channels[index];
    if (ch.fileName.isEmpty() || ch.fileName.contains('/') || ch.fileName.contains('\\'))
        return fail(QStringLiteral("the channel has no usable file name"));
    FetchedFeed feed;
    if (!fetchFeed(ch.link, doc_.leadChars(), true, &feed, error)) return false;
    const QString path = channelPath(ch.fileName);
    if (!writeChannelFile(path, feed.titles, feed.descriptions))
        return fail(QStringLiteral("%1 cannot be written").arg(path));
    if (preview) *preview = fromAnsi(ch.detailed ? feed.descriptions : feed.titles);
    return true;
}

void CRssEditor::refreshChannelAsync(const QString& group, int index, QObject* context, RefreshDone done) const {
    // The worker gets its own copy of what it needs; the editor may close meanwhile.
    auto copy = std::make_shared<CRssEditor>(*this);
    runDetached(
        context,
        [copy, group, index] {
            QString preview, error;
            const bool ok = copy->refreshChannel(group, index, &preview, &error);
            return std::tuple(ok, preview, error);
        },
        std::move(done));
}

}  // namespace lum
