#pragma once
// The window that chooses a removable drive for "Copy All..." and "Save to disc": the mounted
// removable volumes by label and mount point, the first one chosen, and for "Copy All..." the
// folder on it (the drive's root, MEDIA, COPY or SYNC).
//
//     CRemovableDriveDialog drives(title, removableVolumes(), true, this);
//     if (drives.exec() == QDialog::Accepted && !drives.targetFolder().isEmpty())
//         ...  // copy to drives.targetFolder() with CCopyProgress
//
// Without volumes a note says so and OK stays disabled.

#include "playlists/RemovableCopy.h"

#include <QDialog>

#include <vector>

class QButtonGroup;
class QListWidget;
class QPushButton;

namespace lum {

class CRemovableDriveDialog : public QDialog {
    Q_OBJECT
public:
    CRemovableDriveDialog(const QString& title, std::vector<RemovableVolume> volumes,
                          bool chooseFolder, QWidget* parent = nullptr);

    // The chosen volume's mount point; empty when none is chosen.
    QString mountPoint() const;
    CopyAllFolder folder() const;
    // The folder the copy goes to: the mount point with the chosen folder (MEDIA without the
    // folder choice).
    QString targetFolder() const;

private:
    std::vector<RemovableVolume> volumes_;
    QListWidget* list_ = nullptr;
    QButtonGroup* folders_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace lum
