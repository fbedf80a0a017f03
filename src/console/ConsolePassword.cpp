#include "console/ConsolePassword.h"

#include "console/ConsoleTexts.h"
#include "core/OperatorPrompt.h"
#include "server/AppSettings.h"

namespace lum {

bool consolePasswordMatches(const QString& typed, const QString& consolePassword) {
    return typed.compare(consolePassword, Qt::CaseInsensitive) == 0;
}

PasswordChange checkPasswordChange(const PasswordChangeInput& input, const QString& current) {
    if (input.newPassword.isEmpty() || input.confirmPassword.isEmpty())
        return PasswordChange::Ignored;
    if (!consolePasswordMatches(input.oldPassword, current)) return PasswordChange::OldMismatch;
    // The new password itself is stored as typed, so its confirmation must match exactly.
    if (input.newPassword != input.confirmPassword) return PasswordChange::ConfirmMismatch;
    return PasswordChange::Changed;
}

PasswordChange applyPasswordChange(CAppSettings& settings, IOperatorPrompt& prompt,
                                   const PasswordChangeInput& input) {
    const PasswordChange result = checkPasswordChange(input, settings.password());
    switch (result) {
    case PasswordChange::Ignored:
        return result;
    case PasswordChange::OldMismatch:
    case PasswordChange::ConfirmMismatch:
        prompt.message(QString::fromLatin1(console_texts::kPasswordMismatch),
                       IOperatorPrompt::Icon::Stop);
        return result;
    default:
        break;
    }
    const QString previous = settings.password();
    settings.setPassword(input.newPassword);
    if (!settings.Save()) {
        // Keep the password that is still on disk, so the next start agrees with this one.
        settings.setPassword(previous);
        prompt.message(QString::fromLatin1(console_texts::kSettingsSaveFailed).arg(settings.iniPath()),
                       IOperatorPrompt::Icon::Stop);
        return PasswordChange::SaveFailed;
    }
    return PasswordChange::Changed;
}

}  // namespace lum
