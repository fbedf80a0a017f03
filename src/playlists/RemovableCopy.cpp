#include "playlists/RemovableCopy.h"

#include "core/AtomicFile.h"
#include "core/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QThread>

#include <algorithm>

namespace lum {

namespace {

bool isRemovable(const QStorageInfo& v) {
    const QString root = v.rootPath();
    if (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")))
        return true;
    const QString dev = QString::fromLocal8Bit(v.device());
    if (!dev.startsWith(QLatin1String("/dev/"))) return false;
    // A partition's folder sits inside its disk's folder, which holds "removable".
    QString dir = QFileInfo(QStringLiteral("/sys/class/block/") + dev.mid(5)).canonicalFilePath();
    for (int up = 0; up < 2 && !dir.isEmpty(); ++up) {
        QFile f(dir + QStringLiteral("/removable"));
        if (f.open(QIODevice::ReadOnly)) return f.readAll().trimmed() == "1";
        dir = QFileInfo(dir).path();
    }
    return false;
}

QString failure(const QString& file, const QString& reason) {
    return file + QStringLiteral(": ") + reason;
}

// A video file is copied in pieces so that a cancel is seen within a fraction of a second.
constexpr qint64 kPiece = 1 << 20;

enum class CopyResult { Copied, Failed, Cancelled };

CopyResult copyOne(const FileCopy& c, const std::atomic<bool>& cancel, QString* reason) {
    const QFileInfo src(c.source);
    if (!src.isFile()) {
        *reason = QStringLiteral("the file does not exist");
        return CopyResult::Failed;
    }
    const QFileInfo dst(c.target);
    // Copying a file onto itself would first empty it.
    if (dst.exists() && dst.canonicalFilePath() == src.canonicalFilePath()) return CopyResult::Copied;
    if (!QDir().mkpath(dst.absolutePath())) {
        *reason = QStringLiteral("cannot create the folder %1").arg(dst.absolutePath());
        return CopyResult::Failed;
    }
    QFile in(c.source);
    if (!in.open(QIODevice::ReadOnly)) {
        *reason = in.errorString();
        return CopyResult::Failed;
    }
    const QString part = c.target + QStringLiteral(".part");
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *reason = out.errorString();
        return CopyResult::Failed;
    }
    auto abandon = [&](CopyResult r) {
        out.close();
        QFile::remove(part);
        return r;
    };
    QByteArray buffer;
    while (!in.atEnd()) {
        if (cancel.load()) return abandon(CopyResult::Cancelled);
        buffer = in.read(kPiece);
        if (buffer.isEmpty() && in.error() != QFileDevice::NoError) {
            *reason = in.errorString();
            return abandon(CopyResult::Failed);
        }
        if (out.write(buffer) != buffer.size()) {
            *reason = out.errorString();
            return abandon(CopyResult::Failed);
        }
    }
    if (!out.flush()) {
        *reason = out.errorString();
        return abandon(CopyResult::Failed);
    }
    out.close();
    // Only a whole copy replaces the file that was there.
    QFile::remove(c.target);
    if (!QFile::rename(part, c.target)) {
        *reason = QStringLiteral("cannot replace %1").arg(c.target);
        QFile::remove(part);
        return CopyResult::Failed;
    }
    return CopyResult::Copied;
}

}  // namespace

QString RemovableVolume::displayName() const {
    return label.isEmpty() ? mountPoint : label + QStringLiteral(" (") + mountPoint + ')';
}

std::vector<RemovableVolume> removableVolumes() {
    std::vector<RemovableVolume> out;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && !v.isReadOnly() && isRemovable(v))
            out.push_back({v.rootPath(), v.name()});
    std::sort(out.begin(), out.end(), [](const RemovableVolume& a, const RemovableVolume& b) {
        return a.mountPoint < b.mountPoint;
    });
    return out;
}

QString copyAllFolderPath(const QString& mountPoint, CopyAllFolder folder) {
    switch (folder) {
    case CopyAllFolder::Root: return mountPoint;
    case CopyAllFolder::Media: return joinPath(mountPoint, QStringLiteral("MEDIA"));
    case CopyAllFolder::Copy: return joinPath(mountPoint, QStringLiteral("COPY"));
    case CopyAllFolder::Sync: return joinPath(mountPoint, QStringLiteral("SYNC"));
    }
    return mountPoint;
}

CopyOutcome runCopyPlan(const CopyPlan& plan, const std::atomic<bool>& cancel,
                        const CopyProgressFn& progress) {
    CopyOutcome outcome;
    for (const FileCopy& c : plan.copies) {
        if (cancel.load()) {
            outcome.status = CopyOutcome::Status::Cancelled;
            return outcome;
        }
        if (progress) progress(c.step, plan.steps, c.source);
        QString reason;
        switch (copyOne(c, cancel, &reason)) {
        case CopyResult::Copied: ++outcome.copied; break;
        case CopyResult::Failed: outcome.failures << failure(c.source, reason); break;
        case CopyResult::Cancelled: outcome.status = CopyOutcome::Status::Cancelled; return outcome;
        }
    }
    if (!outcome.failures.isEmpty()) {
        outcome.status = CopyOutcome::Status::Failed;
        return outcome;
    }
    if (!plan.finalPath.isEmpty()) {
        QString error;
        if (!writeFileAtomic(plan.finalPath, plan.finalBytes, &error)) {
            outcome.failures << failure(plan.finalPath, error);
            outcome.status = CopyOutcome::Status::Failed;
        }
    }
    return outcome;
}

CCopyJob::CCopyJob(CopyPlan plan, QObject* parent)
    : QObject(parent), plan_(std::move(plan)), cancel_(std::make_shared<std::atomic<bool>>(false)) {
    qRegisterMetaType<lum::CopyOutcome>();
}

CCopyJob::~CCopyJob() {
    if (!thread_) return;
    cancel_->store(true);
    thread_->wait();
    delete thread_;
}

void CCopyJob::start() {
    if (thread_) return;
    // The worker holds its own copies: the plan and the flag outlive nothing of the job's.
    auto cancel = cancel_;
    const CopyPlan plan = plan_;
    QThread* t = QThread::create([this, cancel, plan] {
        const CopyOutcome outcome =
            runCopyPlan(plan, *cancel, [this](int step, int steps, const QString& source) {
                Q_EMIT progress(step, steps, source);
            });
        Q_EMIT finished(outcome);
    });
    thread_ = t;
    t->start();
}

void CCopyJob::cancel() { cancel_->store(true); }

bool CCopyJob::isRunning() const { return thread_ && thread_->isRunning(); }

}  // namespace lum
