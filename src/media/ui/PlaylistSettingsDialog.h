#pragma once
// "Playlist Settings": the playlist-wide settings of the Commander. Shows the values it was
// given and hands them back on OK; the hour and minute of the download schedule are enabled
// only while "Download Schedule" is ticked.

#include "playlists/PlaylistDocument.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QSpinBox;

namespace lum {

class CPlaylistSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPlaylistSettingsDialog(const PlaylistSettings& settings, QWidget* parent = nullptr);

    // The values as the window shows them (the delete-files choice as its three flags).
    PlaylistSettings settings() const;

    QSpinBox* pictureTime() const { return pictureTime_; }
    QCheckBox* useGlobalTransition() const { return useTransition_; }
    QComboBox* globalTransition() const { return transition_; }
    QComboBox* deleteFiles() const { return deleteFiles_; }
    QCheckBox* mute() const { return mute_; }
    QCheckBox* downloadSchedule() const { return download_; }
    QSpinBox* hour() const { return hour_; }
    QSpinBox* minute() const { return minute_; }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    PlaylistSettings base_;
    QSpinBox* pictureTime_ = nullptr;
    QCheckBox* useTransition_ = nullptr;
    QComboBox* transition_ = nullptr;
    QComboBox* deleteFiles_ = nullptr;
    QCheckBox* mute_ = nullptr;
    QCheckBox* download_ = nullptr;
    QSpinBox* hour_ = nullptr;
    QSpinBox* minute_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace lum
