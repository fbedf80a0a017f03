#include "core/Archive.h"

#include "common/TestSupport.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using lum::ArchiveReader;
using lum::ArchiveWriter;

TEST(Archive, TextPrefixesAtTheirBoundaries) {
    ArchiveWriter w;
    w.writeBytesText(QByteArray(254, 'a'));
    w.writeBytesText(QByteArray(255, 'b'));
    w.writeBytesText(QByteArray(0xFFFD, 'c'));
    w.writeBytesText(QByteArray(0xFFFE, 'd'));
    const QByteArray& d = w.data();
    EXPECT_EQ(quint8(d[0]), 254);
    qsizetype p = 1 + 254;
    EXPECT_EQ(d.mid(p, 3), QByteArray("\xFF\xFF\x00", 3));
    p += 3 + 255;
    EXPECT_EQ(d.mid(p, 3), QByteArray("\xFF\xFD\xFF", 3));
    p += 3 + 0xFFFD;
    EXPECT_EQ(d.mid(p, 7), QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));

    ArchiveReader r(d);
    QByteArray t;
    for (int len : {254, 255, 0xFFFD, 0xFFFE}) {
        ASSERT_TRUE(r.readBytesText(t));
        EXPECT_EQ(t.size(), len);
    }
    EXPECT_TRUE(r.atEnd());
}

TEST(Archive, IntegersAndCountsAreLittleEndianWithEscape) {
    ArchiveWriter w;
    w.writeInt32(-2);
    w.writeCount(0xFFFE);
    w.writeCount(0xFFFF);
    w.writeCount(70000);
    EXPECT_EQ(w.data(), QByteArray("\xFE\xFF\xFF\xFF"
                                   "\xFE\xFF"
                                   "\xFF\xFF\xFF\xFF\x00\x00"
                                   "\xFF\xFF\x70\x11\x01\x00",
                                   4 + 2 + 6 + 6));
    ArchiveReader r(w.data());
    qint32 i;
    quint32 c1, c2, c3;
    ASSERT_TRUE(r.readInt32(i) && r.readCount(c1) && r.readCount(c2) && r.readCount(c3));
    EXPECT_EQ(std::tuple(i, c1, c2, c3), std::tuple(-2, 0xFFFEu, 0xFFFFu, 70000u));
}

TEST(Archive, ReaderRefusesLengthsBeyondTheData) {
    // A 32-bit length of 4 GB with three bytes behind it must fail, not allocate.
    ArchiveReader huge(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF" "abc", 10));
    QByteArray t = "untouched";
    EXPECT_FALSE(huge.readBytesText(t));
    EXPECT_EQ(t, QByteArray("untouched"));
    EXPECT_TRUE(huge.failed());

    ArchiveReader cut(QByteArray("\x05" "ab", 3));
    EXPECT_FALSE(cut.readBytesText(t));

    ArchiveReader shortInt(QByteArray("\x01\x02", 2));
    qint32 v;
    EXPECT_FALSE(shortInt.readInt32(v));
    quint16 w;
    EXPECT_FALSE(shortInt.readUInt16(w));  // stays failed
}

TEST(Archive, RandomBytesNeverCrashTheReader) {
    QRandomGenerator rng(1234);
    for (int round = 0; round < 2000; ++round) {
        QByteArray data(int(rng.bounded(64)), Qt::Uninitialized);
        for (auto& c : data) c = char(rng.bounded(256));
        ArchiveReader r(data);
        QByteArray t;
        quint32 n;
        qint32 i;
        while (r.readBytesText(t) && r.readCount(n) && r.readInt32(i)) {
        }
        EXPECT_TRUE(r.failed() || r.atEnd());
        EXPECT_LE(r.position(), data.size());
    }
}
