#include "console/Languages.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;

TEST(Languages, BuiltInEnglishThenTranslationsBesideTheProgram) {
    QTemporaryDir dir;
    for (const char* f : {"lum_zh_TW.qm", "lum_zh_CN.qm", "lum_xx_YY.qm", "other_fr.qm", "lum_.qm"})
        lumtest::writeFile(dir.filePath(QLatin1String(f)), "x");
    const QList<LanguageInfo> langs = availableLanguages(dir.path());
    ASSERT_EQ(langs.size(), 4);
    EXPECT_EQ(langs[0].id, QStringLiteral("1033"));
    EXPECT_EQ(langs[0].name, QStringLiteral("English"));
    EXPECT_TRUE(langs[0].qmPath.isEmpty());
    EXPECT_EQ(langs[1].id, QStringLiteral("xx_YY"));
    EXPECT_EQ(langs[1].name, QStringLiteral("xx_YY - ???"));  // no name for it
    EXPECT_EQ(langs[2].id, QStringLiteral("zh_CN"));
    EXPECT_FALSE(langs[2].name.contains(QStringLiteral("???")));
    EXPECT_NE(langs[2].name, langs[3].name);
    EXPECT_EQ(langs[3].qmPath, dir.filePath(QStringLiteral("lum_zh_TW.qm")));
}

TEST(Languages, FirstCandidateThatWorks) {
    QTemporaryDir dir;
    lumtest::writeFile(dir.filePath(QStringLiteral("lum_zh_CN.qm")), "x");
    lumtest::writeFile(dir.filePath(QStringLiteral("lum_zh_TW.qm")), "x");
    const QList<LanguageInfo> langs = availableLanguages(dir.path());
    auto choose = [&](const char* profile, QStringList ui) {
        return chooseLanguage(langs, QString::fromLatin1(profile), ui).id;
    };
    EXPECT_EQ(choose("1033", {QStringLiteral("zh-Hans-CN")}), QStringLiteral("1033"));
    EXPECT_EQ(choose("zh_TW", {}), QStringLiteral("zh_TW"));
    // A profile naming a translation that is not there falls back to the user's languages.
    EXPECT_EQ(choose("de_DE", {QStringLiteral("zh-CN")}), QStringLiteral("zh_CN"));
    EXPECT_EQ(choose("de_DE", {QStringLiteral("fr-FR"), QStringLiteral("zh-TW")}), QStringLiteral("zh_TW"));
    EXPECT_EQ(choose("de_DE", {QStringLiteral("en-US"), QStringLiteral("zh-CN")}), QStringLiteral("1033"));
    EXPECT_EQ(choose("de_DE", {QStringLiteral("fr-FR")}), QStringLiteral("1033"));
}
