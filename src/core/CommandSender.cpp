#include "core/CommandSender.h"

#include "core/CommandTexts.h"
#include "core/OperatorPrompt.h"

#include <QJsonObject>

namespace lum {

std::optional<CommandTarget> requestTarget(const QJsonObject& request) {
    const QJsonObject t = request.value(QLatin1String("target")).toObject();
    if (t.contains(QLatin1String("player"))) return CommandTarget::player(t.value(QLatin1String("player")).toString());
    if (t.contains(QLatin1String("group"))) return CommandTarget::group(t.value(QLatin1String("group")).toString());
    if (t.contains(QLatin1String("mac"))) return CommandTarget::mac(t.value(QLatin1String("mac")).toString());
    if (t.value(QLatin1String("all")).toBool()) return CommandTarget::all();
    return std::nullopt;
}

bool tellOperator(IOperatorPrompt& prompt, CommandIndex index, const PostResult& result) {
    if (result.queued) return false;
    if (result.missingFile > 0 && index == CommandIndex::SendPlaylist) {
        prompt.message(QString::fromLatin1(command_texts::kNoPlaylist), IOperatorPrompt::Icon::Stop);
        return true;
    }
    if (result.targeted > 0 || index == CommandIndex::UpdateRss) return false;
    prompt.message(QString::fromLatin1(command_texts::kNoClient), IOperatorPrompt::Icon::Information);
    return true;
}

}  // namespace lum
