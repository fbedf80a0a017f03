#pragma once
// The editors' command sender over the online model: targets are chosen by the model's rules
// (PostToClients), and the editors show "No client is online ..." themselves, so the model's
// own notice is swallowed here.

#include "core/CommandSender.h"

#include <QMetaObject>

namespace lum {

class COnlineModel;
class ReportCenter;

class COnlineCommandSender : public ICommandSender {
public:
    explicit COnlineCommandSender(COnlineModel& model) : model_(model) {}

    // Returns the number of players targeted (the online model's count for its notice).
    // A MAC target goes to the player of the first online record holding that MAC text.
    int postCommand(const SendTarget& target, int index, const QString& text = {}) override;
    QString onlineUserByMac(const QString& mac) const override;

private:
    COnlineModel& model_;
};

// Feeds the log pane's report tabs from the online model's report events (1001, 1002, 1004,
// 1006); the player of an event is the record holding its MAC text.
QMetaObject::Connection connectReportCenter(COnlineModel& model, ReportCenter& center);

}  // namespace lum
