#pragma once
// lumctl's media requests, answered by a running lum or lum-server (one JSON object each):
//   {"cmd":"ticker","group":G}                     build G's ticker, then command 13 to G
//   {"cmd":"rss","action":"refresh"}               refresh every channel now (on the worker)
//   {"cmd":"rss","action":"add","group":G,"url":U,"title":T,"detailed":bool}
//                                                  "Add Feed" with "Connect"; T defaults to
//                                                  the feed's first title
//   {"cmd":"picture","file":F,"seconds":N, "group":G | "player":P (absent: all players)}
//                                                  F over "instant.jpg", then command 45
// Replies: {"ok":bool, "messages":[...], "error":...} plus request-specific fields.

#include "media/CommandPoster.h"
#include "media/RssThread.h"

#include <QJsonObject>
#include <QStringList>

#include <functional>

namespace lum {

struct MediaServices {
    QString programFolder;
    CRssThread* rss = nullptr;
    ICommandPoster* poster = nullptr;  // pictures (the ticker uses the worker's own poster)
    std::function<QStringList()> groupNames;  // the store's groups, for a new RSS document
};

// False when `request` is not a media request (`reply` untouched).
bool handleMediaRequest(const QJsonObject& request, const MediaServices& services,
                        QJsonObject* reply);

}  // namespace lum
