#pragma once
// "Image Editor" (CDlgImageEditor): the banner and the slide show of a playlist's zone list.
// The window is a thin view over CImageEditorModel; OK converts the pictures on a worker thread
// (CZoneConversionJob) with the progress bar running and the window answering, then hands the
// zone items back.

#include "media/ImageEditorModel.h"
#include "playlists/PlaylistItem.h"
#include "widgets/FileChooser.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class QComboBox;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace lum {

// The preview: the player's screen with its zones, the banner and the selected slide.
class CZonePreview : public QWidget {
    Q_OBJECT
public:
    explicit CZonePreview(QWidget* parent = nullptr);
    void setBanner(const QImage& image);
    void setSlide(const QImage& image);
    QImage banner() const { return banner_; }
    QImage slide() const { return slide_; }
    QSize sizeHint() const override { return {480, 270}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage banner_;
    QImage slide_;
};

class CDlgImageEditor : public QDialog {
    Q_OBJECT
public:
    CDlgImageEditor(const QString& programFolder, QWidget* parent = nullptr);
    ~CDlgImageEditor() override;

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // Opening on a playlist's zone items.
    void setZoneItems(const std::vector<PlaylistItem>& items);
    // After OK: the zone items for the playlist (banner first, then the slides).
    std::vector<PlaylistItem> zoneItems() const { return playlistItemsFor(result_); }
    CImageEditorModel& model() { return model_; }
    CZonePreview* preview() const { return preview_; }
    QProgressBar* progressBar() const { return progress_; }
    bool isConverting() const { return job_ != nullptr; }
    QString yuvFolder() const { return yuvDir_; }

public Q_SLOTS:
    void browseBanner();
    void addPictures();
    void deletePicture();
    void clearPictures();
    void moveUp();
    void moveDown();
    // OK: starts the conversion; the window closes when it is done.
    void accept() override;
    // Cancel: stops a running conversion (the window stays), otherwise closes.
    void reject() override;

Q_SIGNALS:
    void conversionFinished(bool cancelled);

private:
    int currentRow() const;
    void selectRow(int row);
    void showBannerPreview();
    void showSlidePreview();
    void setEditing(bool on);
    void onConverted(const QList<ZoneItem>& items, bool cancelled);

    QString programFolder_;
    QString yuvDir_;
    CImageEditorModel model_;
    FileChooser chooser_ = chooseWithFileDialog;
    QList<ZoneItem> result_;
    QPointer<CZoneConversionJob> job_;
    QRadioButton* template1_ = nullptr;
    QRadioButton* template2_ = nullptr;
    QComboBox* banner_ = nullptr;
    QTreeView* list_ = nullptr;
    QComboBox* duration_ = nullptr;
    CZonePreview* preview_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* ok_ = nullptr;
    QList<QWidget*> editing_;  // disabled while converting
};

// The Playlist Commander's "Imag Zone..." and the "&Tools" command: runs the editor modally on
// the zone items; true (items replaced) after OK.
bool runImageEditor(QWidget* parent, std::vector<PlaylistItem>& zoneItems,
                    const QString& programFolder, FileChooser chooser = {});

}  // namespace lum
