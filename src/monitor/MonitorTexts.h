#pragma once
// Fixed texts of fleet monitoring: alert log records, the group summary, the play report's
// headings. Logs stay English; the window texts are translated where they are shown.

#include <QtGlobal>

namespace lum::monitor_texts {

// Log records (type 3 for an alert, 0 for the rest).
inline constexpr const char* kPlayerOffline =
    "[%1] Player offline for more than %2: group %3, MAC %4, last seen %5.";
inline constexpr const char* kPlayerBackOnline = "[%1] Player back online: group %2, MAC %3.";
inline constexpr const char* kCommandExited = "[%1] Offline command exited with code %2: %3";
inline constexpr const char* kCommandFailed = "[%1] Offline command %2 could not run: %3";
inline constexpr const char* kCommandKilled =
    "[%1] Offline command did not end within %2 seconds and was killed.";
inline constexpr const char* kCommandDropped =
    "[%1] Offline command not run: too many offline commands are waiting.";
inline constexpr const char* kMonitorListening = "Monitoring endpoint listening on %1:%2";
inline constexpr const char* kMonitorFailed = "Monitoring endpoint cannot listen on %1: %2";

// Tray notifications.
inline constexpr const char* kNoticeOfflineTitle = QT_TRANSLATE_NOOP("lum", "Player offline");
inline constexpr const char* kNoticeOffline =
    QT_TRANSLATE_NOOP("lum", "%1 (group %2) has been offline since %3.");
inline constexpr const char* kNoticeBackTitle = QT_TRANSLATE_NOOP("lum", "Player back online");
inline constexpr const char* kNoticeBack = QT_TRANSLATE_NOOP("lum", "%1 (group %2) is back online.");

// The group summary ("3 of 12 players in Lobby offline").
inline constexpr const char* kGroupSummary = QT_TRANSLATE_NOOP("lum", "%1 of %2 players in %3 offline");
inline constexpr const char* kFleetSummary = QT_TRANSLATE_NOOP("lum", "%1 of %2 players offline");

// The play report.
inline constexpr const char* kPlayReportTitle = QT_TRANSLATE_NOOP("lum", "Play Report");
inline constexpr const char* kPlayReportHeadings[] = {
    QT_TRANSLATE_NOOP("lum", "MAC Address"),
    QT_TRANSLATE_NOOP("lum", "Player"),
    QT_TRANSLATE_NOOP("lum", "Group"),
    QT_TRANSLATE_NOOP("lum", "Media"),
    QT_TRANSLATE_NOOP("lum", "Plays"),
    QT_TRANSLATE_NOOP("lum", "First Day"),
    QT_TRANSLATE_NOOP("lum", "Last Day"),
};

}  // namespace lum::monitor_texts
