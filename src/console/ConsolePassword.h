#pragma once
// The console password's rules: protect mode ends, and a change is accepted, only on the
// operator's password, compared without regard to case.

#include <QString>

namespace lum {

class CAppSettings;
class IOperatorPrompt;

// True when `typed` is the console password (letter case ignored).
bool consolePasswordMatches(const QString& typed, const QString& consolePassword);

struct PasswordChangeInput {
    QString oldPassword;
    QString newPassword;
    QString confirmPassword;
};

enum class PasswordChange {
    Ignored,          // new or confirmation empty: nothing happens
    OldMismatch,      // all three fields are emptied, focus on the old password
    ConfirmMismatch,  // new and confirmation are emptied, focus on the new password
    SaveFailed,       // config.ini could not be written; the password stays as it was
    Changed,          // stored and saved; the dialog closes
};

// The decision alone, without touching anything.
PasswordChange checkPasswordChange(const PasswordChangeInput& input, const QString& current);

// The "Change Pasword" dialog's OK: decides, shows "Password does not match" where the rules
// say so, and on success stores the new password in the settings and saves config.ini.
PasswordChange applyPasswordChange(CAppSettings& settings, IOperatorPrompt& prompt,
                                   const PasswordChangeInput& input);

}  // namespace lum
