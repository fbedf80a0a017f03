#pragma once
// Copying playlists with their media onto removable drives ("Copy All..." in the Playlist
// Commander, "Save to disc" in the Playlist Scheduler, `lumctl copy-all`). Large video files
// take minutes on a USB stick, so the copy runs on a worker thread with progress and can be
// cancelled; the playlist or schedule file is written last and only when every file arrived,
// so a cancelled or failed copy never leaves a list naming files that are not there.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace lum {

// A mounted, writable removable volume.
struct RemovableVolume {
    QString mountPoint;
    QString label;  // the volume's label; empty when it has none
    // "LABEL (mount point)", or the mount point alone.
    QString displayName() const;
};

// The removable volumes mounted now, in mount-point order: volumes under /media or /run/media
// and those whose disk the kernel marks removable.
std::vector<RemovableVolume> removableVolumes();

// The four target folders "Copy All..." offers on a drive.
enum class CopyAllFolder { Root, Media, Copy, Sync };
// The folder on `mountPoint` for `folder` ("MEDIA", "COPY" or "SYNC", or the root itself).
QString copyAllFolderPath(const QString& mountPoint, CopyAllFolder folder);

struct FileCopy {
    QString source;
    QString target;
    int step = 0;  // progress unit this copy belongs to (grid row, schedule row)
};

// What to copy, then which file to write once every copy is in place.
struct CopyPlan {
    std::vector<FileCopy> copies;
    int steps = 0;  // how many progress units in all
    QString finalPath;
    QByteArray finalBytes;
};

struct CopyOutcome {
    enum class Status { Done, Failed, Cancelled };
    Status status = Status::Done;
    QStringList failures;  // "file: reason", one per failed copy or write
    int copied = 0;        // files copied (or already in place)
};

// Called before each copy: the copy's step, the plan's step count, the source file.
using CopyProgressFn = std::function<void(int step, int steps, const QString& source)>;

// Runs `plan` in the calling thread. Every copy is tried (the outcome lists each failure with
// its reason); a copy goes through a temporary file beside its target, so an interrupted copy
// never replaces a good file with part of one. `cancel` is looked at between pieces of a file.
// The final file is written only when nothing failed and nothing was cancelled.
CopyOutcome runCopyPlan(const CopyPlan& plan, const std::atomic<bool>& cancel,
                        const CopyProgressFn& progress = {});

// Runs a plan on a thread of its own and reports through queued signals to the thread that
// created it. Destroying a running job cancels it and waits for its thread.
class CCopyJob : public QObject {
    Q_OBJECT
public:
    explicit CCopyJob(CopyPlan plan, QObject* parent = nullptr);
    ~CCopyJob() override;

    void start();
    void cancel();
    bool isRunning() const;
    const CopyPlan& plan() const { return plan_; }

Q_SIGNALS:
    void progress(int step, int steps, const QString& source);
    void finished(const lum::CopyOutcome& outcome);

private:
    CopyPlan plan_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    QThread* thread_ = nullptr;
};

}  // namespace lum

Q_DECLARE_METATYPE(lum::CopyOutcome)
