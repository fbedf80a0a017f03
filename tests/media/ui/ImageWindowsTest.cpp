// The Image Editor and the instant-picture windows driven through their controls; zone images
// compared byte for byte; the conversion runs while the window keeps answering.
#include "media/ui/DlgImageEditor.h"
#include "media/ui/DlgInstantJpeg.h"
#include "media/YuvImage.h"

#include "common/TestSupport.h"
#include "media/MediaTestSupport.h"
#include "common/WindowTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::control;

namespace {

class ImageWindows : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("profile"));
        QCoreApplication::setOrganizationName(QStringLiteral("ZEB Software Solutions-LUM"));
        QCoreApplication::setApplicationName(QStringLiteral("LUM"));
        data = dir.filePath("data");
        QDir().mkpath(data);
        chooser = std::make_shared<lumtest::ScriptedChooser>();
    }
    QString picture(const QString& name, int w, int h, QColor c) {
        return lumtest::solidPicture(dir.path(), name, w, h, c);
    }
    void click(QWidget* w, const char* label) {
        auto* b = control<QPushButton>(w, QString::fromLatin1(label));
        ASSERT_NE(b, nullptr) << label;
        ASSERT_TRUE(b->isEnabled()) << label;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // A white zone image of w x h as the players read it: Y 255 and U, V 128, stored flipped.
    static QByteArray whiteYuv(int w, int h) {
        QByteArray out("%YUVV1.0");
        out += char(w >> 8);
        out += char(w & 0xFF);
        out += char(h >> 8);
        out += char(h & 0xFF);
        out += QByteArray(4, '\0');
        out += QByteArray(w * h, '\x7F');
        out += QByteArray(w * h / 2, '\0');
        return out;
    }

    QTemporaryDir dir;
    QString data;
    std::shared_ptr<lumtest::ScriptedChooser> chooser;
};

// Check boxes and radio buttons take clicks on their box and label, not anywhere in a stretched row.
void tick(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

PlaylistItem zoneItem(const QString& path, int period) {
    PlaylistItem item;
    item.setPathAndName(path.toLocal8Bit());
    item.period = period;
    return item;
}

}  // namespace

TEST_F(ImageWindows, EditorOpensOnTheZoneItemsEditsAndConvertsOnOk) {
    const QString oldBanner = dir.filePath("old_tz1.yuv");
    ASSERT_TRUE(lumtest::writeFile(oldBanner, whiteYuv(4, 2)));
    CDlgImageEditor dlg(data);
    dlg.setFileChooser(lumtest::ScriptedChooser::make(chooser));
    dlg.setZoneItems({zoneItem(dir.filePath("keep.yuv"), 30), zoneItem(oldBanner, 30)});
    dlg.show();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(&dlg), QStringList());
    EXPECT_TRUE(QFileInfo(data + "/YUVDATA").isDir());  // made when the editor opens
    EXPECT_EQ(control<QComboBox>(&dlg, "Top Banner(1280*100)")->currentText(), oldBanner);
    EXPECT_TRUE(control<QRadioButton>(&dlg, "Template1")->isChecked());
    EXPECT_EQ(control<QComboBox>(&dlg, "Play Each Slide For")->currentText(), QStringLiteral("30 Seconds"));
    EXPECT_EQ(dlg.model().pictures(), QStringList{dir.filePath("keep.yuv")});
    EXPECT_FALSE(dlg.preview()->banner().isNull());  // a zone image previewed through the bitmap
    EXPECT_TRUE(QFile::exists(data + "/tmpbmpfile.bmp"));

    // The banner: a white picture, Template2.
    const QString top = picture("top.png", 200, 20, Qt::white);
    chooser->answers << QStringList{top};
    click(&dlg, "Browse...");
    EXPECT_EQ(chooser->asked[0].filter, QStringLiteral("Picture files(*.jpeg *.jpg *.bmp)|*.jpg;*.jpeg;*.bmp||"));
    tick(control<QRadioButton>(&dlg, "Template2"));
    // Slides: two added, the kept one deleted, the order turned round.
    const QString a = picture("a.png", 40, 30, Qt::white);
    const QString b = picture("b.bmp", 30, 40, Qt::white);
    chooser->answers << QStringList{a, b};
    click(&dlg, "Add...");
    EXPECT_EQ(chooser->asked[1].mode, FileChoice::Mode::OpenMany);
    auto* list = control<QTreeView>(&dlg, "File Name");
    list->setCurrentIndex(dlg.model().index(0, 0));
    click(&dlg, "Delete");
    list->setCurrentIndex(dlg.model().index(1, 0));
    EXPECT_FALSE(dlg.preview()->slide().isNull());
    click(&dlg, "Up");
    EXPECT_EQ(dlg.model().pictures(), (QStringList{b, a}));
    control<QComboBox>(&dlg, "Play Each Slide For")->setCurrentIndex(1);
    lumtest::screenshot(&dlg, QStringLiteral("image-editor"));

    QSignalSpy done(&dlg, &CDlgImageEditor::conversionFinished);
    click(&dlg, "OK");
    ASSERT_TRUE(done.wait(30000));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.progressBar()->value(), 100);
    const QString yuv = data + "/YUVDATA/";
    const std::vector<PlaylistItem> items = dlg.zoneItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].pathText(), yuv + "top_tz2.yuv");
    EXPECT_EQ(items[1].pathText(), yuv + "b.yuv");
    EXPECT_EQ(items[2].pathText(), yuv + "a.yuv");
    for (const PlaylistItem& i : items) EXPECT_EQ(i.period, 20);
    EXPECT_EQ(items[1].size, 16 + 560 * 560 * 3 / 2);
    EXPECT_TRUE(lumtest::readFile(yuv + "top_tz2.yuv") == whiteYuv(1280, 100));
    EXPECT_TRUE(lumtest::readFile(yuv + "a.yuv") == whiteYuv(560, 560));
    // The banner went into the history, first.
    const BannerHistory h = readBannerHistory(QSettings(), QStringLiteral("TopBanners"));
    EXPECT_EQ(h.entries.value(0), top);
    EXPECT_EQ(h.last, top);
}

TEST_F(ImageWindows, LargePicturesConvertWhileTheWindowAnswersAndCancelStopsThem) {
    CDlgImageEditor dlg(data);
    dlg.show();
    QStringList big;
    for (int i = 0; i < 6; ++i) big << picture(QStringLiteral("big%1.png").arg(i), 2400, 2400, QColor(10 * i, 90, 200));
    dlg.model().addPictures(big);

    // The window's own event loop keeps running: a timer on its thread fires during the work.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    QList<int> seen;
    QObject::connect(dlg.progressBar(), &QProgressBar::valueChanged, [&](int v) { seen << v; });
    QSignalSpy done(&dlg, &CDlgImageEditor::conversionFinished);
    click(&dlg, "OK");
    EXPECT_TRUE(dlg.isConverting());
    EXPECT_FALSE(control<QPushButton>(&dlg, "OK")->isEnabled());  // editing waits meanwhile
    EXPECT_FALSE(control<QTreeView>(&dlg, "File Name")->isEnabled());
    ASSERT_TRUE(lumtest::waitUntil([&] { return !seen.isEmpty() && seen.last() > 0; }, 30000));
    lumtest::screenshot(&dlg, QStringLiteral("image-editor-converting"));
    const int ticksAtFirstPicture = ticks;
    ASSERT_TRUE(done.wait(60000));
    EXPECT_FALSE(done.at(0).at(0).toBool());
    EXPECT_GT(ticks, ticksAtFirstPicture);  // events were served between pictures
    EXPECT_GE(seen.size(), 7);               // one step per picture plus the banner's
    EXPECT_EQ(dlg.zoneItems().size(), 6u);

    // Cancel during a conversion: the window stays, editing comes back, nothing is handed.
    CDlgImageEditor again(data);
    again.show();
    again.model().addPictures(big);
    QSignalSpy stopped(&again, &CDlgImageEditor::conversionFinished);
    click(&again, "OK");
    click(&again, "Cancel");
    ASSERT_TRUE(stopped.wait(60000));
    EXPECT_TRUE(stopped.at(0).at(0).toBool());
    EXPECT_TRUE(again.isVisible());
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_TRUE(control<QPushButton>(&again, "OK")->isEnabled());
    EXPECT_TRUE(again.zoneItems().empty());
}

TEST_F(ImageWindows, RunImageEditorHandsTheItemsBackOnlyAfterOk) {
    const QString slide = picture("s.png", 10, 10, Qt::white);
    std::vector<PlaylistItem> items{zoneItem(slide, 10)};
    // Cancelled: the items stay as they were.
    QTimer::singleShot(0, [] {
        ASSERT_TRUE(lumtest::waitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        QApplication::activeModalWidget()->close();
    });
    EXPECT_FALSE(runImageEditor(nullptr, items, data));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].pathText(), slide);
    // OK: the converted slide replaces the picture.
    QTimer::singleShot(0, [] {
        ASSERT_TRUE(lumtest::waitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        auto* dlg = qobject_cast<CDlgImageEditor*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->accept();
    });
    EXPECT_TRUE(runImageEditor(nullptr, items, data));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].pathText(), data + "/YUVDATA/s.yuv");
    EXPECT_EQ(items[0].period, 10);
}

TEST_F(ImageWindows, InstantJpegAndThePictureCommandsWindow) {
    CDlgInstantJpeg plain(false);
    plain.setFileChooser(lumtest::ScriptedChooser::make(chooser));
    plain.show();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(&plain), QStringList());
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("Instant JPEG"));
    EXPECT_EQ(control<QCheckBox>(&plain, "Pictavo Mode (TR-50 only)"), nullptr);
    EXPECT_FALSE(control<QPushButton>(&plain, "Send")->isEnabled());
    chooser->answers << QStringList{"/p/a.jpg"};
    click(&plain, "Browse...");
    EXPECT_EQ(chooser->asked[0].filter, QStringLiteral("Instant Photo files(*.jpeg *.jpg)|*.jpg;*.jpeg||"));
    EXPECT_EQ(control<QLineEdit>(&plain, "Filename")->text(), QStringLiteral("/p/a.jpg"));
    click(&plain, "Send");
    EXPECT_EQ(plain.result(), QDialog::Accepted);
    EXPECT_EQ(plain.choice().displaySeconds(), 0u);

    CDlgInstantJpeg pictavo(true);
    pictavo.show();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(&pictavo), QStringList());
    auto* mode = control<QCheckBox>(&pictavo, "Pictavo Mode (TR-50 only)");
    auto* seconds = control<QSpinBox>(&pictavo, "Duration:");
    ASSERT_TRUE(mode && seconds);
    EXPECT_EQ(seconds->value(), 30);
    EXPECT_FALSE(seconds->isEnabled());
    tick(mode);
    EXPECT_TRUE(seconds->isEnabled());
    seconds->setValue(45);
    lumtest::screenshot(&pictavo, QStringLiteral("picture-command"));
    QTest::keyClicks(control<QLineEdit>(&pictavo, "Filename"), QStringLiteral("/p/b.jpg"));
    click(&pictavo, "Send");
    EXPECT_EQ(pictavo.choice().path, QStringLiteral("/p/b.jpg"));
    EXPECT_EQ(pictavo.choice().displaySeconds(), 45u);
}
