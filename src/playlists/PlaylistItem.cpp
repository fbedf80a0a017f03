#include "playlists/PlaylistItem.h"

#include "core/Codepage.h"

namespace lum {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Both halves must start with two digits within the allowed first-digit range.
bool parseHalves(const QString& h, const QString& m, int* hour, int* minute) {
    if (h.size() < 2 || m.size() < 2) return false;
    if (h[0] < QLatin1Char('0') || h[0] > QLatin1Char('2') || !isDigit(h[1])) return false;
    if (m[0] < QLatin1Char('0') || m[0] > QLatin1Char('5') || !isDigit(m[1])) return false;
    bool okH = false, okM = false;
    const int hv = h.toInt(&okH), mv = m.toInt(&okM);
    if (!okH || !okM || hv < 0 || hv > 23 || mv < 0 || mv > 59) return false;
    *hour = hv;
    *minute = mv;
    return true;
}

}  // namespace

void PlaylistItem::setPathAndName(const QByteArray& fullPath) {
    setField(path, fullPath);
    setField(filename, fileNameOfItemPath(field(path)));
}

QString PlaylistItem::pathText() const { return fromAnsi(field(path)); }
QString PlaylistItem::fileNameText() const { return fromAnsi(field(filename)); }
QString PlaylistItem::hostText() const { return fromAnsi(field(host)); }

bool PlaylistItem::isYuv() const { return isZonePath(field(path)); }

bool PlaylistItem::isPicture() const {
    const QByteArray name = field(filename);
    const int dot = name.lastIndexOf('.');
    if (dot < 0) return false;
    const QByteArray ext = name.mid(dot + 1).toLower();
    return ext == "jpg" || ext == "jpeg";
}

bool PlaylistItem::isSchedule() const { return field(filename).indexOf(".sch") > 0; }

bool isZonePath(const QByteArray& path) {
    return path.contains(".YUV") || path.contains(".yuv");
}

QByteArray fileNameOfItemPath(const QByteArray& path) {
    const int cut = std::max(path.lastIndexOf('\\'), path.lastIndexOf('/'));
    return path.mid(cut + 1);
}

bool isLocalItemPath(const QByteArray& path) { return path.startsWith('/'); }

QByteArray copyNameForPath(const QByteArray& path) {
    const QByteArray name = fileNameOfItemPath(path);
    if (path.size() <= 4) return name;
    const int dot = path.lastIndexOf('.');
    if (dot < 3 || path.mid(dot + 1).toUpper() != "YUV") return name;
    const QByteArray t = path.mid(dot - 3, 3).toLower();
    if (t == "_mz") return "logozone.yuv";
    if (t == "_bz") return "rsszone.yuv";
    if (dot >= 4 && path[dot - 4] == '_') {
        if (t == "tz1") return "topzone.mode1.yuv";
        if (t == "tz2") return "topzone.mode2.yuv";
    }
    return name;
}

bool isZoneImageName(const QString& name) {
    for (const char* marker : {"_tz1.yuv", "_tz2.yuv", "_mz.yuv", "_bz.yuv"})
        if (name.indexOf(QLatin1String(marker)) > 0) return true;
    return false;
}

bool isMediaFileName(const QString& name) {
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return false;
    const QString ext = name.mid(dot + 1).toLower();
    for (const char* known : kMediaExtensions)
        if (ext == QLatin1String(known)) return true;
    return false;
}

int transitionIndex(const QString& text) {
    for (int i = 0; i < kTransitionCount; ++i)
        if (text == QLatin1String(kTransitionNames[i])) return i;
    return -1;
}

bool ParseHourMinute(const QString& text, int* hour, int* minute) {
    if (text.isEmpty()) return true;
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        if (text.size() != 4) return false;
        return parseHalves(text.left(2), text.right(2), hour, minute);
    }
    if (text.size() != 5) return false;
    return parseHalves(text.left(colon), text.mid(colon + 1), hour, minute);
}

}  // namespace lum
