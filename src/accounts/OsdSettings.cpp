#include "accounts/OsdSettings.h"

namespace lum {

namespace {
const char* const kPrefix = "osd_settings=";
constexpr int kSpeedCodes[] = {4, 2, 1};
}  // namespace

QStringList osdBackgroundList() {
    return {"blue", "gray", "red", "cyan", "green", "yellow", "magenta", "orange"};
}
QStringList osdForegroundList() { return {"white", "black"}; }
QStringList osdTransparentList() { return {"100%", "75%", "50%", "25%", "0%"}; }
QStringList osdSpeedList() { return {"Fast", "Normal", "Slow"}; }
QStringList osdClockList() { return {"Off", "On"}; }

int osdSpeedCode(int speedIndex) {
    if (speedIndex < 0 || speedIndex > 2) return 2;
    return kSpeedCodes[speedIndex];
}

int osdSpeedIndex(int speedCode) {
    for (int i = 0; i < 3; ++i)
        if (kSpeedCodes[i] == speedCode) return i;
    return -1;
}

QString OsdSettings::toText() const {
    return QStringLiteral("%1%2,%3,%4,%5,0,%6\r\n")
        .arg(QLatin1String(kPrefix))
        .arg(background)
        .arg(foreground)
        .arg(transparent)
        .arg(osdSpeedCode(speed))
        .arg(clock);
}

bool OsdSettings::parse(const QString& text, OsdSettings* out) {
    QString t = text.trimmed();
    if (!t.startsWith(QLatin1String(kPrefix))) return false;
    const QStringList parts = t.mid(int(strlen(kPrefix))).split(',');
    if (parts.size() != 6) return false;
    int v[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return false;
    }
    auto inList = [](int value, const QStringList& list) { return value >= 0 && value < list.size(); };
    const int speed = osdSpeedIndex(v[3]);
    if (!inList(v[0], osdBackgroundList()) || !inList(v[1], osdForegroundList()) ||
        !inList(v[2], osdTransparentList()) || speed < 0 || !inList(v[5], osdClockList()))
        return false;
    out->background = v[0];
    out->foreground = v[1];
    out->transparent = v[2];
    out->speed = speed;
    out->clock = v[5];
    return true;
}

OsdSettings OsdSettings::fromGroupText(const QString& text) {
    OsdSettings s;
    parse(text, &s);
    return s;
}

}  // namespace lum
