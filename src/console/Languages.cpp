#include "console/Languages.h"

#include <QDir>
#include <QLocale>

namespace lum {

namespace {

QString nativeName(const QString& code) {
    const QLocale locale(code);
    if (locale.language() == QLocale::C) return code + QStringLiteral(" - ???");
    QString name = locale.nativeLanguageName();
    if (name.isEmpty()) return code + QStringLiteral(" - ???");
    if (code.contains(QLatin1Char('_')) && !locale.nativeTerritoryName().isEmpty())
        name += QStringLiteral(" (%1)").arg(locale.nativeTerritoryName());
    return name;
}

// "zh-Hans-CN" (uiLanguages form) and "zh_CN" name the same translation; so does "zh" a
// "zh_CN" file when no better one exists.
bool matches(const QString& candidate, const QString& id) {
    QString c = candidate;
    c.replace(QLatin1Char('-'), QLatin1Char('_'));
    if (c.compare(id, Qt::CaseInsensitive) == 0) return true;
    const QLocale a(c), b(id);
    return a.language() != QLocale::C && a.language() == b.language() &&
           (a.territory() == b.territory() || !c.contains(QLatin1Char('_')));
}

}  // namespace

int languageIndexForId(const QString& id) {
    const QLocale l(id);
    if (l.language() != QLocale::Chinese) return 0;
    return l.territory() == QLocale::Taiwan || l.territory() == QLocale::HongKong ||
                   l.script() == QLocale::TraditionalChineseScript
               ? 2
               : 1;
}

QString languageIdForIndex(int index) {
    switch (index) {
    case 1: return QStringLiteral("zh_CN");
    case 2: return QStringLiteral("zh_TW");
    default: return QString::fromLatin1(kBuiltInLanguageId);
    }
}

QList<LanguageInfo> availableLanguages(const QString& folder) {
    QList<LanguageInfo> out;
    out.append({QString::fromLatin1(kBuiltInLanguageId), QStringLiteral("English"), QString()});
    const QDir dir(folder);
    for (const QString& f : dir.entryList({QStringLiteral("lum_*.qm")}, QDir::Files, QDir::Name)) {
        const QString code = f.mid(4, f.size() - 4 - 3);
        if (code.isEmpty()) continue;
        out.append({code, nativeName(code), dir.filePath(f)});
    }
    return out;
}

LanguageInfo chooseLanguage(const QList<LanguageInfo>& available, const QString& profileId,
                            const QStringList& uiLanguages) {
    const LanguageInfo builtIn = available.isEmpty()
        ? LanguageInfo{QString::fromLatin1(kBuiltInLanguageId), QStringLiteral("English"), {}}
        : available.first();
    if (profileId == builtIn.id) return builtIn;
    for (const LanguageInfo& l : available)
        if (!l.qmPath.isEmpty() && l.id == profileId) return l;
    for (const QString& ui : uiLanguages) {
        if (ui.startsWith(QStringLiteral("en"), Qt::CaseInsensitive)) return builtIn;
        for (const LanguageInfo& l : available)
            if (!l.qmPath.isEmpty() && matches(ui, l.id)) return l;
    }
    return builtIn;
}

}  // namespace lum
