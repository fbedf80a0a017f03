#include "playlists/PlaylistDocument.h"

#include "core/Codepage.h"
#include "core/FixedNames.h"
#include "core/IniFile.h"
#include "core/OperatorPrompt.h"
#include "playlists/PlaylistTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lum {

namespace {

const QByteArray kCommand = "command";
const QByteArray kConfiguration = "configuration";

QByteArray fileSection(int n) { return "file" + QByteArray::number(n); }

// A line break inside a value would start new keys or sections in the file (a file name on
// this system may hold one): a value ends at its first line break.
QByteArray oneLine(const QByteArray& value) {
    int cut = value.size();
    for (int i = 0; i < value.size(); ++i)
        if (value[i] == '\r' || value[i] == '\n') {
            cut = i;
            break;
        }
    return value.left(cut);
}

QByteArray hhmm(int hour, int minute) {
    return QString::asprintf("%02d:%02d", hour, minute).toLatin1();
}

}  // namespace

QString copyingStatusText(const QString& source, int step, int steps) {
    // One substitution pass: a "%1" inside a file name stays as it is.
    return QString(QLatin1String(playlist_texts::kCopyingStatus))
        .arg(source, QString::number(step), QString::number(steps));
}

int PlaylistSettings::deleteFilesChoice() const {
    if (format) return 1;
    if (deleteNotInPlaylist) return 2;
    if (deleteInPlaylist) return 3;
    return 0;
}

void PlaylistSettings::setDeleteFilesChoice(int choice) {
    format = choice == 1;
    deleteNotInPlaylist = choice == 2;
    deleteInPlaylist = choice == 3;
}

CPlaylistDocument::CPlaylistDocument(const QString& caption)
    : caption_(caption.isEmpty() ? QLatin1String(playlist_texts::kCommanderCaption) : caption),
      title_(caption_) {}

int CPlaylistDocument::insertRow(int index, const PlaylistRow& row) {
    if (index < 0 || index > rowCount()) index = rowCount();
    rows_.insert(rows_.begin() + index, row);
    if (row.item.isSchedule()) hasSchedule_ = true;
    return index;
}

bool CPlaylistDocument::removeRow(int index) {
    if (index < 0 || index >= rowCount()) return false;
    if (rows_[size_t(index)].item.isSchedule()) hasSchedule_ = false;
    rows_.erase(rows_.begin() + index);
    return true;
}

bool CPlaylistDocument::moveRowUp(int index) {
    if (index <= 0 || index >= rowCount()) return false;
    std::swap(rows_[size_t(index)], rows_[size_t(index - 1)]);
    return true;
}

bool CPlaylistDocument::moveRowDown(int index) {
    if (index < 0 || index + 1 >= rowCount()) return false;
    std::swap(rows_[size_t(index)], rows_[size_t(index + 1)]);
    return true;
}

void CPlaylistDocument::clearRows() {
    rows_.clear();
    // A flag kept without its item would refuse every schedule from now on.
    hasSchedule_ = false;
}

void CPlaylistDocument::clearAll() {
    rows_.clear();
    zone_.clear();
    settings_ = PlaylistSettings{};
    hasSchedule_ = false;
    title_ = caption_;
    currentPath_.clear();
}

bool CPlaylistDocument::validateTimes(IOperatorPrompt* prompt) const {
    auto tell = [prompt](const char* text) {
        if (prompt) prompt->message(QLatin1String(text), IOperatorPrompt::Icon::Stop);
    };
    for (const PlaylistRow& row : rows_) {
        const QString from = row.cells.fromTime.trimmed();
        const QString to = row.cells.toTime.trimmed();
        int h = 0, m = 0;
        if (!ParseHourMinute(from, &h, &m) || !ParseHourMinute(to, &h, &m)) {
            tell(playlist_texts::kTimeFormat);
            return false;
        }
        if (!to.isEmpty() && from.isEmpty()) {
            tell(playlist_texts::kStopNeedsStart);
            return false;
        }
    }
    return true;
}

void CPlaylistDocument::writeItem(IniFile& ini, int n, const PlaylistItem& item,
                                  const PlaylistCells* cells) const {
    const QByteArray sec = fileSection(n);
    const QByteArray host = oneLine(PlaylistItem::field(item.host));
    const QByteArray path = oneLine(PlaylistItem::field(item.path));
    if (!host.isEmpty()) ini.setValue(sec, "host", host);
    ini.setValue(sec, "path", path);
    ini.setValue(sec, "size", QByteArray::number(item.size));

    if (isZonePath(path)) {
        // A YUV item in the main list plays for the picture play time.
        const int period = cells ? settings_.globalInterval : item.period;
        ini.setValue(sec, "period", QByteArray::number(period));
        return;
    }

    if (settings_.deleteInPlaylist) ini.setValue(sec, "fileaction", "DEL");
    if (cells) {
        const QString duration = cells->duration.trimmed();
        if (!duration.isEmpty()) ini.setValue(sec, "period", oneLine(toAnsi(duration)));
        int h = 0, m = 0;
        const QString from = cells->fromTime.trimmed();
        if (!from.isEmpty() && ParseHourMinute(from, &h, &m))
            ini.setValue(sec, "starttime", hhmm(h, m));
        const QString to = cells->toTime.trimmed();
        if (!to.isEmpty() && ParseHourMinute(to, &h, &m)) ini.setValue(sec, "stoptime", hhmm(h, m));
        if (cells->dlOnly) ini.setValue(sec, "dlonly", "1");
        if (cells->reload) ini.setValue(sec, "reload", "1");
        if (!settings_.useGlobalTransition) {
            const int t = transitionIndex(cells->transition);
            if (t >= 0) ini.setValue(sec, "transition", QByteArray::number(t));
        }
    }
    if (item.fullScreen) ini.setValue(sec, "fullscr", "1");
}

void CPlaylistDocument::buildIni(IniFile& ini) const {
    if (settings_.format) ini.setValue(kCommand, "format", "ON");
    if (settings_.deleteNotInPlaylist) ini.setValue(kCommand, "delexpt", "ON");

    ini.setValue(kConfiguration, "globalinterval", QByteArray::number(settings_.globalInterval));
    if (settings_.useGlobalTransition)
        ini.setValue(kConfiguration, "transition", QByteArray::number(settings_.globalTransition));
    if (settings_.mute) ini.setValue(kConfiguration, "mute", "ON");
    if (settings_.downloadSchedule)
        ini.setValue(kConfiguration, "dltime",
                     QByteArray::number(settings_.downloadHour) + ':' +
                         QByteArray::number(settings_.downloadMinute));

    int n = 0;
    if (multiZone_)
        for (const PlaylistItem& z : zone_) writeItem(ini, n++, z, nullptr);
    for (const PlaylistRow& row : rows_) writeItem(ini, n++, row.item, &row.cells);
}

QByteArray CPlaylistDocument::toBytes() const {
    // Built from an empty document: the same bytes as deleting the file and writing key by key.
    IniFile ini;
    buildIni(ini);
    return ini.toBytes();
}

CopyPlan CPlaylistDocument::copyAllPlan(const QString& folder) const {
    CopyPlan plan;
    plan.steps = rowCount();
    auto add = [&](const PlaylistItem& item, int step) {
        const QByteArray path = PlaylistItem::field(item.path);
        // Remote items have a host; their paths are on the server, not here.
        if (!PlaylistItem::field(item.host).isEmpty() || !isLocalItemPath(path)) return;
        plan.copies.push_back(
            {fromAnsi(path), QDir(folder).filePath(fromAnsi(copyNameForPath(path))), step});
    };
    if (multiZone_)
        for (const PlaylistItem& z : zone_) add(z, 0);
    for (int r = 0; r < rowCount(); ++r) add(rows_[size_t(r)].item, r);
    plan.finalPath = QDir(folder).filePath(QLatin1String(fixed_names::kCurrentPlaylist));
    plan.finalBytes = toBytes();
    return plan;
}

bool CPlaylistDocument::Save(const QString& path, IOperatorPrompt* prompt) {
    if (!validateTimes(prompt)) return false;
    IniFile ini;
    buildIni(ini);
    if (!ini.save(path)) return false;
    if (currentPath_.isEmpty())
        title_ = QLatin1String(playlist_texts::kCommanderCaption) +
                 QLatin1String(playlist_texts::kTitleSeparator) + path;
    return true;
}

bool CPlaylistDocument::Load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    loadFromBytes(f.readAll(), path);
    return true;
}

void CPlaylistDocument::loadFromBytes(const QByteArray& bytes, const QString& path) {
    const IniFile ini = IniFile::fromBytes(bytes);
    auto text = [&ini](const QByteArray& sec, const char* key, const QByteArray& def = {}) {
        return ini.value(sec, key, def);
    };

    // Any non-empty value turns a choice on; the value itself is not looked at.
    settings_.format = !text(kCommand, "format").isEmpty();
    settings_.deleteNotInPlaylist = !text(kCommand, "delexpt").isEmpty();

    settings_.mute = !text(kConfiguration, "mute").isEmpty();
    settings_.globalInterval = atoiBytes(text(kConfiguration, "globalinterval", "3"));
    const QByteArray transition = text(kConfiguration, "transition");
    settings_.useGlobalTransition = !transition.isEmpty();
    settings_.globalTransition = transition.isEmpty() ? 0 : atoiBytes(transition);
    const QByteArray dltime = text(kConfiguration, "dltime");
    settings_.downloadSchedule = !dltime.isEmpty();
    if (!dltime.isEmpty()) {
        const int colon = dltime.indexOf(':');
        settings_.downloadHour = atoiBytes(colon < 0 ? dltime : dltime.left(colon));
        settings_.downloadMinute = colon < 0 ? 0 : atoiBytes(dltime.mid(colon + 1));
    }

    rows_.clear();
    zone_.clear();
    hasSchedule_ = false;
    bool anyDeleteAfter = false;
    for (int n = 0;; ++n) {
        const QByteArray sec = fileSection(n);
        // Held as saving writes it (to its first line break or NUL), so the item shown is the
        // item saved.
        QByteArray itemPath = oneLine(text(sec, "path"));
        itemPath.truncate(qstrnlen(itemPath.constData(), itemPath.size()));  // a C string
        if (itemPath.isEmpty()) break;  // the list ends at the first gap

        PlaylistItem item;
        item.setPathAndName(itemPath);
        item.size = atoiBytes(text(sec, "size", "0"));
        const QByteArray host = text(sec, "host");
        if (!host.isEmpty()) PlaylistItem::setField(item.host, oneLine(host));
        item.deleteAfter = text(sec, "fileaction") == "DEL" ? 1 : 0;
        PlaylistItem::setField(item.protocol, text(sec, "protocal"));
        item.port = quint16(atoiBytes(text(sec, "port", "0")));
        item.fullScreen = atoiBytes(text(sec, "fullscr", "0")) != 0 ? 1 : 0;
        const QByteArray period = text(sec, "period");
        item.period = atoiBytes(period.isEmpty() ? QByteArray("0") : period);
        PlaylistItem::setField(item.startTime, text(sec, "starttime"));
        PlaylistItem::setField(item.stopTime, text(sec, "stoptime"));

        if (item.isYuv()) {
            zone_.push_back(item);
            multiZone_ = true;
            continue;
        }
        if (item.deleteAfter) anyDeleteAfter = true;

        PlaylistRow row;
        row.item = item;
        // The cells show what the file holds, so that saving again keeps it.
        row.cells.duration = fromAnsi(period);
        row.cells.fromTime = fromAnsi(PlaylistItem::field(item.startTime));
        row.cells.toTime = fromAnsi(PlaylistItem::field(item.stopTime));
        row.cells.dlOnly = atoiBytes(text(sec, "dlonly", "0")) != 0;
        row.cells.reload = atoiBytes(text(sec, "reload", "0")) != 0;
        const int t = atoiBytes(text(sec, "transition", "0"));
        if (t >= 0 && t < kTransitionCount && item.isSchedule())
            hasSchedule_ = true;
        else if (item.isPicture() && t >= 0 && t < kTransitionCount)
            row.cells.transition = QLatin1String(kTransitionNames[size_t(t)]);
        rows_.push_back(row);
    }
    // `fileaction=DEL` is how the file carries the "Files in the playlist" choice; without this
    // the choice would be dropped from the items the next time the playlist is saved.
    settings_.deleteInPlaylist = anyDeleteAfter;

    title_ = caption_ + QLatin1String(playlist_texts::kTitleSeparator) + path;
    currentPath_ = path;
}

}  // namespace lum
