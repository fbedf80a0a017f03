#include "media/MediaRequests.h"

#include "core/CollectingPrompt.h"
#include "media/ImageEditor.h"
#include "media/RssEditor.h"

#include <QFileInfo>
#include <QJsonArray>

namespace lum {

namespace {

QJsonObject failure(const QString& error) { return {{"ok", false}, {"error", error}}; }

// The reply to a command sent to players: the counts and what the operator would be told.
QJsonObject sentReply(CommandIndex index, const PostResult& posted) {
    CollectingPrompt prompt;
    tellOperator(prompt, index, posted);
    return {{"ok", true},
            {"targeted", posted.targeted},
            {"delivered", posted.delivered},
            {"messages", QJsonArray::fromStringList(prompt.messages())}};
}

void addFeed(const QJsonObject& req, const MediaServices& s, const MediaReply& reply) {
    const QString group = req["group"].toString();
    const QString url = req["url"].toString().trimmed();
    if (group.isEmpty() || url.isEmpty()) return reply(failure("rss add needs a group and a URL"));
    auto editor = std::make_shared<CRssEditor>(*s.rss);
    QString openError;
    if (!editor->open(s.groupNames ? s.groupNames() : QStringList(), &openError))
        return reply(failure("cannot open " + openError));
    // The fetch may take as long as the feed makes it: on a worker, never in a nested event loop
    // here (the requester may be gone by the time it ends).
    editor->connectFeedAsync(url, s.rss, [req, group, url, editor, reply](bool ok, const FetchedFeed& feed,
                                                                        const QString& error) {
        if (!ok) {
            QJsonObject r = failure("the feed could not be fetched: " + error);
            r["messages"] = QJsonArray{CRssEditor::cannotConnectText(url)};
            return reply(r);
        }
        QString title = req["title"].toString();
        if (title.isEmpty()) title = feed.firstTitle.trimmed();
        const int index = editor->addFeed(group, url, title, true, req["detailed"].toBool(), feed);
        if (index < 0) return reply(failure("the channel could not be added"));
        reply({{"ok", true}, {"index", index}, {"title", title}, {"file", feedFileName(url)}});
    });
}

}  // namespace

bool handleMediaRequest(const QJsonObject& request, const MediaServices& s,
                        const MediaReply& reply) {
    const QString cmd = request["verb"].toString();
    if (cmd != "ticker" && cmd != "rss" && cmd != "picture") return false;
    const QJsonObject target = request["target"].toObject();

    if (cmd == "picture") {
        const QString file = request["file"].toString();
        const std::optional<CommandTarget> to = requestTarget(request);
        const int seconds = request["seconds"].toInt(0);
        if (file.isEmpty() || !QFileInfo(file).isAbsolute())
            reply(failure("picture needs the absolute path of a JPEG file"));
        else if (!s.sender)
            reply(failure("no players can be reached"));
        else if (!to)
            reply(failure("picture needs a target: --all, --group G, --player P or --mac M"));
        else if (seconds < 0)
            reply(failure("the display time cannot be negative"));
        else if (const auto posted = sendInstantPicture(file, s.programFolder, quint32(seconds), *to,
                                                        *s.sender))
            reply(sentReply(CommandIndex::Picture, *posted));
        else
            reply(failure("cannot copy " + file + " to instant.jpg"));
        return true;
    }

    if (!s.rss) {
        reply(failure("the RSS worker is not running"));
        return true;
    }
    if (cmd == "ticker") {
        const QString group = target["group"].toString();
        if (group.isEmpty()) {
            reply(failure("ticker needs a group (--group G)"));
        } else {
            reply(sentReply(CommandIndex::RssMessage, s.rss->startRssFeeds(group)));
        }
        return true;
    }

    const QString action = request["action"].toString();
    if (action == "refresh") {
        reply(s.rss->requestRefresh() ? QJsonObject{{"ok", true}}
                                      : failure("the RSS worker is not running"));
    } else if (action == "add") {
        addFeed(request, s, reply);
    } else {
        reply(failure(QStringLiteral("unknown rss action '%1'").arg(action)));
    }
    return true;
}

}  // namespace lum
