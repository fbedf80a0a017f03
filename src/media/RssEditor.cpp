#include "media/RssEditor.h"

#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/TsanAnnotations.h"
#include "media/MediaTexts.h"

#include <QFileInfo>
#include <QPointer>
#include <QThread>

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
    return joinPath(thread_.serverDataDir(), fileName);
}

QString CRssEditor::preview(const RssChannel& channel) const {
    if (channel.fileName.isEmpty() || channel.fileName.contains('/') || channel.fileName.contains('\\'))
        return {};
    QByteArray part;
    if (!readChannelPart(channelPath(channel.fileName), channel.detailed, &part)) return {};
    return fromAnsi(part);
}

bool CRssEditor::connectFeed(const QString& url, IOperatorPrompt& prompt, FetchedFeed* collected) const {
    const QString u = url.trimmed();
    if (u.isEmpty()) return false;
    FetchedFeed feed;
    if (!fetchFeed(u, doc_.leadChars(), false, &feed)) {
        prompt.message(QString::fromLatin1(media_texts::kCannotConnect).arg(u), IOperatorPrompt::Icon::Stop);
        return false;
    }
    feed.firstTitle = fromAnsi(toAnsiLimited(feed.firstTitle, kFirstTitleMax));
    *collected = std::move(feed);
    return true;
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

bool CRssEditor::deleteChannel(const QString& group, int index) {
    return commit([&](RssConfig& d) { return d.removeChannel(group, index); });
}

bool CRssEditor::changeChannel(const QString& group, int index, const QString& title, bool active,
                               bool detailed, const QString& newGroup) {
    RssChannel values;
    values.title = title;
    values.active = active;
    values.detailed = detailed;
    return commit([&](RssConfig& d) { return d.changeChannel(group, index, values, newGroup); });
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

bool CRssEditor::refreshChannel(const QString& group, int index, QString* preview) const {
    const QList<RssChannel> channels = doc_.channels(group);
    if (index < 0 || index >= channels.size()) return false;
    const RssChannel ch = channels[index];
    if (ch.fileName.isEmpty() || ch.fileName.contains('/') || ch.fileName.contains('\\')) return false;
    FetchedFeed feed;
    if (!fetchFeed(ch.link, doc_.leadChars(), true, &feed)) return false;
    if (!writeChannelFile(channelPath(ch.fileName), feed.titles, feed.descriptions)) return false;
    if (preview) *preview = fromAnsi(ch.detailed ? feed.descriptions : feed.titles);
    return true;
}

void CRssEditor::refreshChannelAsync(const QString& group, int index, QObject* context,
                                     std::function<void(bool, const QString&)> done) const {
    // The worker gets its own copy of what it needs; the editor may close meanwhile.
    const CRssEditor* self = this;
    auto copy = std::make_shared<CRssEditor>(*self);
    QPointer<QObject> ctx(context);
    QThread* worker = QThread::create([copy, group, index, ctx, done] {
        QString preview;
        const bool ok = copy->refreshChannel(group, index, &preview);
        if (ctx) QMetaObject::invokeMethod(ctx, handOff([done, ok, preview] { done(ok, preview); }), Qt::QueuedConnection);
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}

}  // namespace lum
