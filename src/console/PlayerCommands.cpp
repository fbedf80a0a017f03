#include "console/PlayerCommands.h"

#include "core/OperatorPrompt.h"

namespace lum {

namespace {
constexpr const char* kAskReboot = QT_TRANSLATE_NOOP("lum", "Are you sure to reboot the players ?");
constexpr const char* kAskFormat = QT_TRANSLATE_NOOP("lum", "Are you sure to format player's storage?");
}  // namespace

PostResult CPlayerCommands::post(const CommandTarget& t, int index, const QString& text) {
    OperatorCommandArgs args;
    args.text = text;
    return online_.PostToClients(t.key, index, t.mode, args, &prompt_);
}

PostResult CPlayerCommands::play(const CommandTarget& t) { return post(t, kCmdStartPlay); }
PostResult CPlayerCommands::stop(const CommandTarget& t) { return post(t, kCmdStopAction); }
PostResult CPlayerCommands::messageOff(const CommandTarget& t) { return post(t, kCmdStopMessage); }
PostResult CPlayerCommands::videoOn(const CommandTarget& t) { return post(t, kCmdVideoOn); }
PostResult CPlayerCommands::videoOff(const CommandTarget& t) { return post(t, kCmdVideoOff); }
PostResult CPlayerCommands::mute(const CommandTarget& t) { return post(t, kCmdMute); }
PostResult CPlayerCommands::groupStatus(const CommandTarget& t) { return post(t, kCmdCheckStatus); }

PostResult CPlayerCommands::reboot(const CommandTarget& t) {
    if (!prompt_.askYesNo(QString::fromLatin1(kAskReboot))) return {};
    return post(t, kCmdReboot);
}

PostResult CPlayerCommands::format(const CommandTarget& t) {
    if (!prompt_.askYesNo(QString::fromLatin1(kAskFormat))) return {};
    return post(t, kCmdFormatStorage);
}

PostResult CPlayerCommands::volume(const CommandTarget& t, int level) {
    if (level < 1 || level > 15) return {};
    return post(t, kCmdMute + level);
}

PostResult CPlayerCommands::readStatus(const QString& p) {
    return post(CommandTarget::player(p), kCmdCheckStatus);
}
PostResult CPlayerCommands::readCapacity(const QString& p) {
    return post(CommandTarget::player(p), kCmdStorageInfo);
}
PostResult CPlayerCommands::readFiles(const QString& p) {
    return post(CommandTarget::player(p), kCmdStorageFiles);
}
PostResult CPlayerCommands::readPlaylist(const QString& p) {
    return post(CommandTarget::player(p), kCmdGetPlaylist);
}

PostResult CPlayerCommands::send(const CommandTarget& t, int index, const QString& text) {
    return post(t, index, text);
}

}  // namespace lum
