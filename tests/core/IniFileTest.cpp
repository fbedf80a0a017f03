#include "core/IniFile.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

using lum::IniFile;

TEST(IniFile, SectionsAppendedInWriteOrderKeysReplacedInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    ASSERT_TRUE(lum::writePrivateProfileString(path, "Startup", "AUTOACTIVATE", "1"));
    ASSERT_TRUE(lum::writePrivateProfileString(path, "SERVER", "PORT", "5021"));
    ASSERT_TRUE(lum::writePrivateProfileString(path, "Startup", "LANGUAGE", "0"));
    ASSERT_TRUE(lum::writePrivateProfileString(path, "startup", "autoactivate", "0"));
    EXPECT_EQ(lumtest::readFile(path),
              QByteArray("[Startup]\r\nautoactivate=0\r\nLANGUAGE=0\r\n[SERVER]\r\nPORT=5021\r\n"));
}

TEST(IniFile, NewKeyGoesAfterLastLineOfItsSectionNotAfterBlankLines) {
    IniFile ini = IniFile::fromBytes("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    ini.setValue("A", "z", "3");
    ini.setValue("c", "k", "v");
    EXPECT_EQ(ini.toBytes(), QByteArray("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n[c]\r\nk=v\r\n"));
}

TEST(IniFile, FileWithoutFinalLineEndGetsOneBeforeAppendedSection) {
    IniFile ini = IniFile::fromBytes("[a]\r\nx=1");
    ini.setValue("b", "y", "2");
    EXPECT_EQ(ini.toBytes(), QByteArray("[a]\r\nx=1\r\n[b]\r\ny=2\r\n"));
}

TEST(IniFile, ReadingTrimsUnquotesCutsAndDefaults) {
    IniFile ini = IniFile::fromBytes(
        "[S]\r\n  key  =   spaced value  \r\nq=\"quoted\"\r\nlong=" + QByteArray(300, 'x') +
        "\r\nnum= -42abc\r\nLF=1\n");
    EXPECT_EQ(ini.value("s", "KEY"), QByteArray("spaced value"));
    EXPECT_EQ(ini.value("S", "q"), QByteArray("quoted"));
    EXPECT_EQ(ini.value("S", "long").size(), 254);
    EXPECT_EQ(ini.value("S", "long", {}, 1000).size(), 300);
    EXPECT_EQ(ini.value("S", "missing", "dflt"), QByteArray("dflt"));
    EXPECT_EQ(ini.value("Nope", "key", "d"), QByteArray("d"));
    EXPECT_EQ(ini.intValue("S", "num", 7), -42);
    EXPECT_EQ(ini.intValue("S", "absent", 7), 7);
    EXPECT_EQ(ini.value("S", "LF"), QByteArray("1"));  // a bare LF line end still reads
}

TEST(IniFile, MissingFileReadsDefaultsAndIsCreatedOnWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/none.ini");
    EXPECT_EQ(lum::getPrivateProfileString(path, "a", "b", "def"), QByteArray("def"));
    EXPECT_EQ(lum::getPrivateProfileInt(path, "a", "b", 99), 99);
    EXPECT_TRUE(lum::writePrivateProfileString(path, "a", "b", "c"));
    EXPECT_EQ(lumtest::readFile(path), QByteArray("[a]\r\nb=c\r\n"));
}

TEST(IniFile, EmptyDocumentWritesInWriteOrderLikeDeleteThenWrite) {
    IniFile ini;
    ini.setValue("configuration", "globalinterval", "3");
    ini.setValue("file0", "path", "/m/a.jpg");
    ini.setValue("file0", "size", "10");
    ini.setValue("configuration", "mute", "ON");
    EXPECT_EQ(ini.toBytes(), QByteArray("[configuration]\r\nglobalinterval=3\r\nmute=ON\r\n"
                                        "[file0]\r\npath=/m/a.jpg\r\nsize=10\r\n"));
}

TEST(IniFile, RemoveKeyAndSection) {
    IniFile ini = IniFile::fromBytes("[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n");
    ini.removeKey("a", "X");
    ini.removeSection("B");
    EXPECT_EQ(ini.toBytes(), QByteArray("[a]\r\ny=2\r\n"));
    EXPECT_EQ(ini.keys("a").size(), 1u);
}

TEST(IniFile, AtolWrapsLikeThePlatform) {
    EXPECT_EQ(lum::atolUnsigned("  5022"), 5022u);
    EXPECT_EQ(lum::atolUnsigned("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(lum::atolUnsigned("abc"), 0u);
    EXPECT_EQ(lum::atoiBytes("+12x"), 12);
}

TEST(IniFile, FirstSectionAndKeyOfADuplicatedNameWinAndStayFoundAfterEdits) {
    IniFile ini = IniFile::fromBytes("[a]\r\nx=1\r\nX=2\r\n\r\n[b]\r\ny=3\r\n[A]\r\nx=4\r\nz=5\r\n");
    EXPECT_EQ(ini.value("a", "x"), QByteArray("1"));
    EXPECT_EQ(ini.value("A", "z", "none"), QByteArray("none"));  // only the first [a] counts
    // A key added to the first section moves every later section down one line.
    ini.setValue("a", "w", "6");
    ini.setValue("B", "y", "7");
    ini.setValue("b", "v", "8");
    EXPECT_EQ(ini.value("b", "y"), QByteArray("7"));
    EXPECT_EQ(ini.value("a", "W"), QByteArray("6"));
    EXPECT_EQ(ini.toBytes(),
              QByteArray("[a]\r\nx=1\r\nX=2\r\nw=6\r\n\r\n[b]\r\ny=7\r\nv=8\r\n[A]\r\nx=4\r\nz=5\r\n"));
    ini.removeKey("a", "x");
    EXPECT_EQ(ini.value("a", "x"), QByteArray("2"));  // the next of that name is found now
    ini.removeSection("a");
    EXPECT_EQ(ini.value("a", "z"), QByteArray("5"));
}

TEST(IniFile, ManySectionsAreReadAndWrittenInOnePass) {
    // A report of this size took minutes when every key was looked up by scanning the file.
    constexpr int kSections = 100000;
    IniFile written;
    for (int n = 0; n < kSections; ++n) {
        const QByteArray sec = "file" + QByteArray::number(n);
        written.setValue(sec, "path", "/m/" + QByteArray::number(n) + ".mpg");
        written.setValue(sec, "period", "10");
    }
    const IniFile read = IniFile::fromBytes(written.toBytes());
    int found = 0;
    for (int n = 0;; ++n) {
        const QByteArray path = read.value("FILE" + QByteArray::number(n), "Path");
        if (path.isEmpty()) break;
        found += path == "/m/" + QByteArray::number(n) + ".mpg";
    }
    EXPECT_EQ(found, kSections);
    EXPECT_EQ(read.sections().size(), size_t(kSections));
}
