#pragma once
// The Image Editor's state without its window: the picture list with its editing commands, the
// banner with its template, the slide duration choice, the preview's zones and pictures, and
// the conversion on OK, which runs on a worker thread so that the window keeps answering while
// large pictures are converted. Also the choice made in the instant-picture windows.

#include "media/ImageEditor.h"

#include <QAbstractListModel>
#include <QColor>
#include <QImage>
#include <QDateTime>
#include <QRect>

#include <atomic>
#include <memory>

class QThread;

namespace lum {

class CImageEditorModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CImageEditorModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // Opening on a playlist's zone items: the banner item goes to the banner field (its "_tz2"
    // selects Template2), every other item to the picture list, and the slide duration follows
    // the last item.
    void setZoneItems(const QList<ZoneItem>& items);

    QString banner() const { return state_.banner; }
    void setBanner(const QString& path) { state_.banner = path; }
    BannerTemplate bannerTemplate() const { return state_.bannerTemplate; }
    void setBannerTemplate(BannerTemplate t) { state_.bannerTemplate = t; }
    int slideChoice() const { return state_.slideChoice; }
    void setSlideChoice(int choice) { state_.slideChoice = choice; }
    QStringList pictures() const { return state_.slides; }
    // The banner of the playlist when the editor opened (its item is replaced on OK).
    QString openingBanner() const { return openingBanner_; }

    // "Add...": appends pictures (a path already listed is listed again, as the player may show
    // a picture twice). Returns the row of the first one added, -1 when none.
    int addPictures(const QStringList& paths);
    // "Delete": removes the row; the row to select afterwards (-1: list empty).
    int removePicture(int row);
    // "Clear".
    void clearPictures();
    // "Up"/"Down": the row's new index (unchanged at the edge).
    int movePictureUp(int row);
    int movePictureDown(int row);

    ImageEditorState state() const { return state_; }

private:
    ImageEditorState state_;
    QString openingBanner_;
};

// The preview's screen (1280 x 720) and its zones, each painted in its fixed colour.
inline constexpr int kPreviewWidth = 1280;
inline constexpr int kPreviewHeight = 720;
struct PreviewZone {
    enum Kind { TopBanner, PictureZone, LogoZone, Ticker };
    Kind kind;
    QRect rect;
    QColor colour;
};
QList<PreviewZone> previewZones();
// The clock text the preview shows: "%Y-%m-%d %H:%M".
QString previewClockText(const QDateTime& now);

// The picture a preview shows: a zone image goes through its RGB planes and the bitmap
// "tmpbmpfile.bmp" in the program folder; other pictures are read directly. Null when the
// file cannot be read.
QImage previewImage(const QString& path, const QString& programFolder);

// Converts the editor's pictures on a thread of its own (OK of the Image Editor). Signals
// arrive on the thread that created the job. Destroying a running job cancels it and waits.
class CZoneConversionJob : public QObject {
    Q_OBJECT
public:
    CZoneConversionJob(ImageEditorState state, QString yuvDir, QObject* parent = nullptr);
    ~CZoneConversionJob() override;

    void start();
    // Stops before the next picture; `finished` then says cancelled.
    void cancel();
    bool isRunning() const;

Q_SIGNALS:
    void progress(int percent);
    void finished(const QList<lum::ZoneItem>& items, bool cancelled);

private:
    ImageEditorState state_;
    QString yuvDir_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    QThread* thread_ = nullptr;
};

// The choice of the instant-picture windows: the picture and, for the main window's picture
// command, the Pictavo mode with its display time.
struct InstantPictureChoice {
    static constexpr int kDefaultSeconds = 30;
    QString path;
    bool pictavo = false;
    int seconds = kDefaultSeconds;

    // "Send" is enabled once a file is chosen.
    bool canSend() const { return !path.trimmed().isEmpty(); }
    // The display time sent with the picture: the seconds in Pictavo mode, 0 otherwise.
    quint32 displaySeconds() const { return pictavo && seconds > 0 ? quint32(seconds) : 0; }
};

}  // namespace lum

Q_DECLARE_METATYPE(lum::ZoneItem)
