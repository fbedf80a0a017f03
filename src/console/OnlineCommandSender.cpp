#include "console/OnlineCommandSender.h"

#include "console/OnlineModel.h"
#include "console/OnlineTexts.h"
#include "core/OperatorPrompt.h"
#include "playlists/ReportCenter.h"

namespace lum {

namespace {

// Swallows the model's "No client is online ..." notice; the editor shows its own.
class QuietPrompt : public IOperatorPrompt {
public:
    void message(const QString&, Icon) override {}
    bool askYesNo(const QString&) override { return false; }
};

}  // namespace

int COnlineCommandSender::postCommand(const SendTarget& target, int index, const QString& text) {
    QuietPrompt quiet;
    OperatorCommandArgs args;
    args.text = text;
    QString key = target.name;
    TargetMode mode = TargetMode::All;
    switch (target.kind) {
    case SendTarget::Kind::All: key.clear(); break;
    case SendTarget::Kind::Group: mode = TargetMode::Group; break;
    case SendTarget::Kind::Player: mode = TargetMode::Player; break;
    case SendTarget::Kind::Mac:
        key = onlineUserByMac(target.name);
        if (key.isEmpty()) return 0;
        mode = TargetMode::Player;
        break;
    }
    return model_.PostToClients(key, index, mode, args, &quiet).targeted;
}

QString COnlineCommandSender::onlineUserByMac(const QString& mac) const {
    for (const CClientRecord& r : model_.records())
        if (r.macAddress == mac &&
            r.status.compare(QLatin1String(online::kStatusOffline), Qt::CaseInsensitive) != 0)
            return r.name;
    return {};
}

QMetaObject::Connection connectReportCenter(COnlineModel& model, ReportCenter& center) {
    return QObject::connect(
        &model, &COnlineModel::reportEvent, &center,
        [&model, &center](int code, const QString& mac, const QString&, const PlayerReport&) {
            QString player;
            for (const CClientRecord& r : model.records())
                if (r.macAddress.compare(mac, Qt::CaseInsensitive) == 0) {
                    player = r.name;
                    break;
                }
            center.playerEvent(code, player, mac);
        });
}

}  // namespace lum
