#include "media/ImageEditor.h"

#include "core/AtomicFile.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/HandedRecord.h"
#include "media/MediaTexts.h"
#include "media/YuvImage.h"

#include <QDir>
#include <QFileInfo>

namespace lum {

namespace {

constexpr int kDurations[] = {10, 20, 30, 40, 50, 60};

// The file name without folder and without the text from its last '.'.
QString baseNameOf(const QString& path) {
    QString name = fileNameOfPath(path);
    const int dot = name.lastIndexOf('.');
    if (dot >= 0) name.truncate(dot);
    return name;
}

}  // namespace

QList<ZoneItem> zoneItemsOf(const std::vector<PlaylistItem>& items) {
    QList<ZoneItem> out;
    for (const PlaylistItem& item : items) out << ZoneItem{item.pathText(), item.size, item.period};
    return out;
}

std::vector<PlaylistItem> playlistItemsFor(const QList<ZoneItem>& items) {
    std::vector<PlaylistItem> out;
    for (const ZoneItem& z : items) {
        PlaylistItem item;
        item.setPathAndName(toAnsi(z.path));
        item.size = qint32(std::min<qint64>(z.size, 0x7FFFFFFF));
        item.period = z.period;
        out.push_back(item);
    }
    return out;
}

int slideDurationForChoice(int choice) {
    if (choice < 0 || choice >= int(std::size(kDurations))) return 10;
    return kDurations[choice];
}

int slideChoiceForDuration(int seconds) {
    for (int i = 1; i < int(std::size(kDurations)); ++i)
        if (kDurations[i] == seconds) return i;
    return 0;
}

bool isYuvFile(const QString& path) { return path.endsWith(".yuv") || path.endsWith(".YUV"); }

bool isBannerName(const QString& path) {
    return path.contains(media_texts::kBannerSuffix1) || path.contains(media_texts::kBannerSuffix2);
}

ImageEditorState imageEditorStateFor(const QList<ZoneItem>& items) {
    ImageEditorState s;
    for (const ZoneItem& item : items) {
        if (isBannerName(item.path)) {
            s.banner = item.path;
            s.bannerTemplate = item.path.contains(media_texts::kBannerSuffix2)
                                   ? BannerTemplate::Template2
                                   : BannerTemplate::Template1;
        } else {
            s.slides << item.path;
        }
    }
    if (!items.isEmpty()) s.slideChoice = slideChoiceForDuration(items.last().period);
    return s;
}

QString bannerTargetPath(const QString& yuvDir, const QString& picturePath, BannerTemplate t) {
    QString base = baseNameOf(picturePath);
    // A picture that is itself a converted banner loses its old zone suffix. Only the base name
    // is looked at: a folder named "..._tz1..." must not shorten an unrelated picture's name.
    if (base.endsWith("_tz1") || base.endsWith("_tz2")) base.chop(4);
    base += t == BannerTemplate::Template2 ? media_texts::kBannerSuffix2 : media_texts::kBannerSuffix1;
    return joinPath(yuvDir, base);
}

QList<ZoneItem> applyImageEditor(const ImageEditorState& state, const QString& yuvDir,
                                 const std::function<void(int)>& progress,
                                 const std::atomic<bool>* cancel, bool* cancelled) {
    QDir().mkpath(yuvDir);
    auto stopped = [&] {
        const bool stop = cancel && cancel->load();
        if (stop && cancelled) *cancelled = true;
        return stop;
    };
    if (cancelled) *cancelled = false;
    QList<ZoneItem> out;
    const int period = slideDurationForChoice(state.slideChoice);
    const int step = 100 / (int(state.slides.size()) + 1);
    int done = 0;
    auto advance = [&] {
        done += step;
        if (progress) progress(done);
    };

    if (stopped()) return out;
    if (!state.banner.isEmpty() && QFileInfo(state.banner).isFile()) {
        if (isYuvFile(state.banner)) {
            out << ZoneItem{state.banner, QFileInfo(state.banner).size(), period};
        } else {
            const QString target = bannerTargetPath(yuvDir, state.banner, state.bannerTemplate);
            const qint64 len = convertToYuv(state.banner, target, kBannerWidth, kBannerHeight);
            if (len > 0) out << ZoneItem{target, len, period};
        }
    }
    advance();

    for (const QString& picture : state.slides) {
        if (stopped()) return out;
        if (QFileInfo(picture).isFile()) {
            if (isYuvFile(picture)) {
                out << ZoneItem{picture, QFileInfo(picture).size(), period};
            } else {
                const QString target = joinPath(yuvDir, baseNameOf(picture) + ".yuv");
                const qint64 len = convertToYuv(picture, target, kSlideSize, kSlideSize);
                if (len > 0) out << ZoneItem{target, len, period};
            }
        }
        advance();
    }
    return out;
}

BannerHistory readBannerHistory(const QSettings& profile, const QString& prefix) {
    BannerHistory h;
    const QString section = QString(media_texts::kBannerHistorySection) + '/';
    for (int i = 0; i < kBannerHistoryMax; ++i) {
        const QString v = profile.value(section + prefix + QString::number(i)).toString();
        if (v.isEmpty()) break;
        h.entries << v;
    }
    h.last = profile.value(section + prefix).toString();
    return h;
}

void recordBannerChoice(QSettings& profile, const QString& prefix, const QString& choice) {
    BannerHistory h = readBannerHistory(profile, prefix);
    h.entries.removeAll(choice);
    h.entries.prepend(choice);
    while (h.entries.size() > kBannerHistoryMax) h.entries.removeLast();
    const QString section = QString(media_texts::kBannerHistorySection) + '/';
    for (int i = 0; i < h.entries.size(); ++i)
        profile.setValue(section + prefix + QString::number(i), h.entries[i]);
    profile.setValue(section + prefix, choice);
}

QString ensureYuvFolder(const QString& programFolder) {
    const QString dir = joinPath(programFolder, kYuvDir);
    QDir().mkpath(dir);
    return dir;
}

std::optional<PostResult> sendInstantPicture(const QString& jpegPath, const QString& programFolder,
                                             quint32 seconds, const CommandTarget& target,
                                             ICommandSender& sender) {
    QByteArray data;
    if (!readWholeFile(jpegPath, &data)) return std::nullopt;
    const QString instant = joinPath(programFolder, fixed_names::kInstantPicture);
    if (!writeFileAtomic(instant, data)) return std::nullopt;
    // One picture for every group, fetched by its name or its path.
    if (!CHandedRecord(programFolder).setHandedToAll(CHandedRecord::Slot::Instant, {instant}))
        return std::nullopt;
    OperatorCommandArgs args;
    args.imageName = fileNameOfPath(jpegPath);
    args.displaySeconds = seconds;
    return sender.send(target, CommandIndex::Picture, args);
}

}  // namespace lum
