#include "core/AtomicFile.h"
#include "core/Base64.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(Base64, Rfc4648VectorsAndRejects) {
    EXPECT_EQ(lum::base64Encode("vemra"), QByteArray("dmVtcmE="));
    EXPECT_EQ(lum::base64Encode("fo"), QByteArray("Zm8="));
    EXPECT_EQ(lum::base64Encode(""), QByteArray(""));
    QByteArray out;
    ASSERT_TRUE(lum::base64Decode("dmVtcmE=", &out));
    EXPECT_EQ(out, QByteArray("vemra"));
    EXPECT_FALSE(lum::base64Decode("dm!tcmE=", &out));
}

TEST(Codepage, Windows1252RoundTripAndLanguageSwitch) {
    ASSERT_TRUE(lum::setAnsiCodepage("windows-1252"));
    const QString s = QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC");  // "Café €"
    EXPECT_EQ(lum::toAnsi(s), QByteArray("Caf\xE9 \x80"));
    EXPECT_EQ(lum::fromAnsi("Caf\xE9 \x80"), s);

    ASSERT_TRUE(lum::setAnsiCodepage(lum::codepageForLanguage(1)));
    const QString zh = QString::fromUtf8("\xE4\xB8\xAD");  // U+4E2D
    EXPECT_EQ(lum::toAnsi(zh), QByteArray("\xD6\xD0"));
    EXPECT_EQ(lum::fromAnsi("\xD6\xD0"), zh);
    EXPECT_FALSE(lum::setAnsiCodepage("no-such-codepage"));
    EXPECT_EQ(lum::ansiCodepage(), QByteArray("GBK"));
    ASSERT_TRUE(lum::setAnsiCodepage("windows-1252"));

    QByteArray utf8;
    ASSERT_TRUE(lum::convertEncoding("windows-1252", "UTF-8", "\xE9", &utf8));
    EXPECT_EQ(utf8, QByteArray("\xC3\xA9"));
}

TEST(DataFolder, ExplicitThenExecutableThenUserFolder) {
    QTemporaryDir tmp;
    const QString explicitDir = tmp.filePath("data/deeper/");
    EXPECT_EQ(lum::resolveDataFolder(explicitDir, tmp.path()),
              QDir::cleanPath(tmp.filePath("data/deeper")));
    EXPECT_TRUE(QFileInfo(tmp.filePath("data/deeper")).isDir());

    EXPECT_EQ(lum::resolveDataFolder({}, tmp.path()), QDir::cleanPath(tmp.path()));

    qputenv("XDG_DATA_HOME", tmp.filePath("xdg").toUtf8());
    EXPECT_EQ(lum::resolveDataFolder({}, tmp.filePath("no-such-exe-dir")), QDir::cleanPath(tmp.filePath("xdg/LUM")));
    qunsetenv("XDG_DATA_HOME");
}

// The same build runs from its build folder (files beside the executable) and installed (files
// under <prefix>/share/lum, and never a data folder in a system program folder).
TEST(DataFolder, BuildFolderAndInstalledLayout) {
    QTemporaryDir tmp;
    const QString prefix = QDir::cleanPath(tmp.path());
    const QString bin = prefix + "/bin";
    ASSERT_TRUE(QDir().mkpath(bin));
    qputenv("XDG_DATA_HOME", tmp.filePath("xdg").toUtf8());

    EXPECT_FALSE(lum::isInstalledProgram(bin));
    EXPECT_EQ(lum::samplesFolder(bin), bin + "/Samples");
    EXPECT_EQ(lum::translationsFolder(bin), bin);
    EXPECT_EQ(lum::resolveDataFolder({}, bin), bin);

    const QString share = lum::installedShareFolderFor(bin);
    EXPECT_TRUE(share.startsWith(prefix + "/")) << share.toStdString();
    EXPECT_FALSE(share.startsWith(bin)) << share.toStdString();
    ASSERT_TRUE(QDir().mkpath(share));
    EXPECT_TRUE(lum::isInstalledProgram(bin));
    EXPECT_EQ(lum::samplesFolder(bin), share + "/samples");
    EXPECT_EQ(lum::translationsFolder(bin), share + "/translations");
    EXPECT_EQ(lum::resolveDataFolder({}, bin), QDir::cleanPath(tmp.filePath("xdg/LUM")));
    EXPECT_EQ(lum::resolveDataFolder(bin + "/data", bin), bin + "/data");  // asked for: given
    qunsetenv("XDG_DATA_HOME");
}

TEST(DataFolder, FileNameOfEitherSeparator) {
    for (auto [path, name] : {std::pair{"C:\\m\\logo_mz.yuv", "logo_mz.yuv"},
                              std::pair{"/srv/lum/Home/a.jpg", "a.jpg"}, std::pair{"plain", "plain"}})
        EXPECT_EQ(lum::fileNameOfPath(path), QString(name));
    for (const char* dir : {"/a/", "/a"}) EXPECT_EQ(lum::joinPath(dir, "b"), QString("/a/b")) << dir;
}

TEST(AtomicFile, ReplacesWholeAndKeepsOldOnFailure) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("sub/x.dat");
    ASSERT_TRUE(lum::writeFileAtomic(path, "first"));
    ASSERT_TRUE(lum::writeFileAtomic(path, "2"));
    EXPECT_EQ(lumtest::readFile(path), QByteArray("2"));
    QString err;
    EXPECT_FALSE(lum::writeFileAtomic("/proc/definitely/not/here", "x", &err));
    EXPECT_FALSE(err.isEmpty());
    // No temporary files left beside the target.
    EXPECT_EQ(QDir(tmp.filePath("sub")).entryList(QDir::Files).size(), 1);
}
