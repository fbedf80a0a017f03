#pragma once
// The media services' command poster over the online model: the ticker worker and the instant
// picture reach the players of a group (or one player, or all) through the model's targeting.
// The model lives on the main thread; calls from other threads are queued there.

#include "console/OnlineModel.h"
#include "media/CommandPoster.h"

#include <QMetaObject>
#include <QPointer>

namespace lum {

class COnlineCommandPoster : public ICommandPoster {
public:
    explicit COnlineCommandPoster(COnlineModel& online) : online_(&online) {}

    void postTicker(const QString& group, bool update) override {
        QPointer<COnlineModel> online = online_;
        QMetaObject::invokeMethod(online_, [online, group, update] {
            if (online) online->SendTicker(group, TargetMode::Group, update);
        }, Qt::QueuedConnection);
    }

    void postPicture(const MediaTarget& target, const QString& imageName,
                     quint32 displaySeconds) override {
        const TargetMode mode = target.kind == MediaTarget::Kind::Group    ? TargetMode::Group
                                : target.kind == MediaTarget::Kind::Player ? TargetMode::Player
                                                                           : TargetMode::All;
        QPointer<COnlineModel> online = online_;
        const QString key = target.name;
        QMetaObject::invokeMethod(online_, [online, key, mode, imageName, displaySeconds] {
            if (online) online->SendPicture(key, mode, imageName, displaySeconds);
        }, Qt::QueuedConnection);
    }

private:
    COnlineModel* online_;
};

}  // namespace lum
