#pragma once
// The ticker display settings line a group carries (and instant-message and ticker files):
// "osd_settings=" + B/G, F/G, Transparent, speed code, 0, Clock + CR LF. Each value but the
// speed is the index of the chosen entry of its list; the speed list is written as codes.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lum {

struct OsdSettings {
    int background = 1;   // gray
    int foreground = 0;   // white
    int transparent = 4;  // 0%
    int speed = 1;        // index into the speed list: Normal
    int clock = 1;        // On

    // "osd_settings=1,0,4,2,0,1\r\n" for the defaults.
    QString toText() const;
    // Reads a line as toText writes it (the line end optional). False, and `out` untouched,
    // when it is not such a line or a value is outside its list.
    static bool parse(const QString& text, OsdSettings* out);
    // The stored text of a group, or the defaults when it is empty or not understood.
    static OsdSettings fromGroupText(const QString& text);

    bool operator==(const OsdSettings&) const = default;
};

QStringList osdBackgroundList();   // "blue", "gray", ...
QStringList osdForegroundList();   // "white", "black"
QStringList osdTransparentList();  // "100%" ... "0%"
QStringList osdSpeedList();        // "Fast", "Normal", "Slow"
QStringList osdClockList();        // "Off", "On"
// Speed code written for a speed list index (4, 2, 1); 2 for an index outside the list.
int osdSpeedCode(int speedIndex);
// List index of a speed code; -1 when the code is not one of 4, 2, 1.
int osdSpeedIndex(int speedCode);

}  // namespace lum
