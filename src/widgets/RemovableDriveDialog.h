#pragma once
// The window that chooses where a playlist (or schedule) goes with its media: the mounted
// removable volumes, each by its label and mount point, the first preselected, and, when asked
// for, the target folder on the drive (its root, "MEDIA", "COPY" or "SYNC").
//
// Used by the Playlist Commander's "Copy All..." and the Playlist Scheduler's "Save to disc":
//
//     CRemovableDriveDialog dlg(removableVolumes(), uiText(widget_texts::kCopyAllTitle),
//                               CRemovableDriveDialog::FolderChoice::Offered, this);
//     if (dlg.exec() == QDialog::Accepted) {
//         const QString folder = dlg.targetFolder();  // the drive root, or the chosen folder
//         ...  // build the plan for `folder`, then run it with CCopyProgress
//     }
//
// Without volumes the list is empty, a note says so and OK stays disabled.

#include "playlists/RemovableCopy.h"

#include <QDialog>

#include <vector>

class QButtonGroup;
class QDialogButtonBox;
class QListWidget;

namespace lum {

class CRemovableDriveDialog : public QDialog {
    Q_OBJECT
public:
    enum class FolderChoice { RootOnly, Offered };

    CRemovableDriveDialog(std::vector<RemovableVolume> volumes, const QString& title,
                          FolderChoice choice, QWidget* parent = nullptr);

    // The volume chosen (null when none is), the folder chosen (Root without the choice) and
    // the folder they make together (empty when no volume is chosen).
    const RemovableVolume* chosenVolume() const;
    CopyAllFolder chosenFolder() const;
    QString targetFolder() const;

    // The controls, for tests and screen readers' robots.
    QListWidget* volumeList() const { return list_; }
    QButtonGroup* folderButtons() const { return folders_; }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    std::vector<RemovableVolume> volumes_;
    QListWidget* list_ = nullptr;
    QButtonGroup* folders_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace lum
