#pragma once
// Interface languages: English is built in; every "lum_<locale>.qm" translation in the
// translations folder (beside the executable, or the installed one) adds one. The profile value
// "LanguageId" names the choice ("1033" is the built-in English, otherwise the locale name of
// the translation, e.g. "zh_CN").

#include <QList>
#include <QString>
#include <QStringList>

namespace lum {

inline constexpr const char* kBuiltInLanguageId = "1033";

struct LanguageInfo {
    QString id;      // "1033" or the locale name
    QString name;    // the language's own name, "<id> - ???" when none can be produced
    QString qmPath;  // empty for the built-in language
};

// The built-in language first, then the translations found in `folder`, by file name.
QList<LanguageInfo> availableLanguages(const QString& folder);

// The interface language as config.ini's "LANGUAGE" holds it, the position in the settings
// dialog's list ("English", "Chinese(Simplified)", "Chinese(Traditional)"), and back. The menu's
// choice and the dialog's are one setting: each writes both places.
int languageIndexForId(const QString& id);
QString languageIdForIndex(int index);

// The first candidate that works: the profile's choice, then the user's interface languages
// (as QLocale::uiLanguages gives them), then the built-in language.
LanguageInfo chooseLanguage(const QList<LanguageInfo>& available, const QString& profileId,
                            const QStringList& uiLanguages);

}  // namespace lum
