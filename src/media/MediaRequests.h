#pragma once
// lumctl's media verbs, answered by a running lum or lum-server. Requests have the operator
// service's shape ({"verb": V, "target": {"all"|"group"|"player"}, ...}):
//   ticker    target {"group": G}            build G's ticker, then command 13 to G
//   rss       action "refresh"               refresh every channel now (on the worker)
//   rss       action "add", group G, url U, title T, detailed bool
//                                            "Add Feed" with "Connect"; T defaults to the
//                                            feed's first title
//   picture   file F, seconds N, a target    F over "instant.jpg", then command 45
// The ticker and the picture answer with "targeted" and "delivered".
// Replies: {"ok": bool, "messages": [...], "error": text} plus verb-specific fields.
// A request never waits on this thread: "rss add" fetches the feed on a worker and replies from
// this thread's event loop once it is done.

#include "core/CommandSender.h"
#include "media/RssThread.h"

#include <QJsonObject>
#include <QStringList>

#include <functional>

namespace lum {

struct MediaServices {
    QString programFolder;
    CRssThread* rss = nullptr;
    ICommandSender* sender = nullptr;  // pictures (the ticker uses the worker's own sender)
    std::function<QStringList()> groupNames;  // the store's groups, for a new RSS document
};

using MediaReply = std::function<void(const QJsonObject& reply)>;

// False when `request` is not a media request (`reply` not called). Otherwise `reply` is called
// once, now or later on the calling thread (a later one needs that thread's event loop).
bool handleMediaRequest(const QJsonObject& request, const MediaServices& services,
                        const MediaReply& reply);

}  // namespace lum
