#include "console/PlayerCommands.h"

#include "core/OperatorPrompt.h"

namespace lum {

namespace {
constexpr const char* kAskReboot = QT_TRANSLATE_NOOP("lum", "Are you sure to reboot the players ?");
constexpr const char* kAskFormat = QT_TRANSLATE_NOOP("lum", "Are you sure to format player's storage?");
}  // namespace

PostResult CPlayerCommands::send(const CommandTarget& t, CommandIndex index,
                                 const OperatorCommandArgs& args) {
    const PostResult r = sender_.send(t, index, args);
    tellOperator(prompt_, index, r);
    return r;
}

PostResult CPlayerCommands::play(const CommandTarget& t) { return send(t, CommandIndex::StartPlay); }
PostResult CPlayerCommands::stop(const CommandTarget& t) { return send(t, CommandIndex::StopAction); }
PostResult CPlayerCommands::messageOff(const CommandTarget& t) {
    return send(t, CommandIndex::StopMessage);
}
PostResult CPlayerCommands::videoOn(const CommandTarget& t) { return send(t, CommandIndex::VideoOn); }
PostResult CPlayerCommands::videoOff(const CommandTarget& t) { return send(t, CommandIndex::VideoOff); }
PostResult CPlayerCommands::mute(const CommandTarget& t) { return send(t, CommandIndex::Mute); }
PostResult CPlayerCommands::groupStatus(const CommandTarget& t) {
    return send(t, CommandIndex::CheckStatus);
}
PostResult CPlayerCommands::readStatus(const CommandTarget& t) {
    return send(t, CommandIndex::CheckStatus);
}
PostResult CPlayerCommands::readCapacity(const CommandTarget& t) {
    return send(t, CommandIndex::StorageInfo);
}
PostResult CPlayerCommands::readFiles(const CommandTarget& t) {
    return send(t, CommandIndex::StorageFiles);
}
PostResult CPlayerCommands::readPlaylist(const CommandTarget& t) {
    return send(t, CommandIndex::GetPlaylist);
}

PostResult CPlayerCommands::reboot(const CommandTarget& t) {
    if (!prompt_.askYesNo(QString::fromLatin1(kAskReboot))) return {};
    return send(t, CommandIndex::Reboot);
}

PostResult CPlayerCommands::format(const CommandTarget& t) {
    if (!prompt_.askYesNo(QString::fromLatin1(kAskFormat))) return {};
    return send(t, CommandIndex::FormatStorage);
}

PostResult CPlayerCommands::volume(const CommandTarget& t, int level) {
    if (level < 1 || level > kMaxVolume) return {};
    return send(t, volumeCommand(level));
}

}  // namespace lum
