#pragma once
// Labels and file filters of the Playlist Scheduler, Instant Message and On Screen Label
// windows. The messages they show are the core's (playlists/OperatorFileTexts.h).

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::playlist_window_texts {

// Playlist Scheduler
inline constexpr const char* kSchedulerTitle = QT_TRANSLATE_NOOP("lum", "Playlist Scheduler");
inline constexpr const char* kPlaylist = QT_TRANSLATE_NOOP("lum", "Playlist");
inline constexpr const char* kBrowseDots = QT_TRANSLATE_NOOP("lum", "Browse...");
inline constexpr const char* kStartDate = QT_TRANSLATE_NOOP("lum", "Start date");
inline constexpr const char* kEndDate = QT_TRANSLATE_NOOP("lum", "End date");
inline constexpr const char* kAdd = QT_TRANSLATE_NOOP("lum", "Add");
inline constexpr const char* kUpdate = QT_TRANSLATE_NOOP("lum", "Update");
inline constexpr const char* kDelete = QT_TRANSLATE_NOOP("lum", "Delete");
inline constexpr const char* kOpen = QT_TRANSLATE_NOOP("lum", "Open");
inline constexpr const char* kSave = QT_TRANSLATE_NOOP("lum", "Save");
inline constexpr const char* kGroup = QT_TRANSLATE_NOOP("lum", "Group");
inline constexpr const char* kAssignToGroup = QT_TRANSLATE_NOOP("lum", "Assign to Group");
inline constexpr const char* kSaveToDisc = QT_TRANSLATE_NOOP("lum", "Save to disc");
inline constexpr const char* kScheduleList = QT_TRANSLATE_NOOP("lum", "Schedule");
inline constexpr const char* kPlaylistFilter = "Playlist Files (*.mpl)|*.mpl||";
inline constexpr const char* kScheduleFilter = "Playlist Schedule Files (*.sch)|*.sch||";
inline constexpr const char* kScheduleExtension = "sch";
inline constexpr const char* kScheduleDefaultName = "playlist";

// Instant Message
inline constexpr const char* kMessageTitle = QT_TRANSLATE_NOOP("lum", "Instant Message");
inline constexpr const char* kBackground = QT_TRANSLATE_NOOP("lum", "B/G");
inline constexpr const char* kForeground = QT_TRANSLATE_NOOP("lum", "F/G");
inline constexpr const char* kTransparent = QT_TRANSLATE_NOOP("lum", "Transparent");
inline constexpr const char* kSpeed = QT_TRANSLATE_NOOP("lum", "Speed");
inline constexpr const char* kClock = QT_TRANSLATE_NOOP("lum", "Clock");
inline constexpr const char* kEncoding = QT_TRANSLATE_NOOP("lum", "Encoding");
inline constexpr const char* kMessageFile = QT_TRANSLATE_NOOP("lum", "Message file");
inline constexpr const char* kMessageText = QT_TRANSLATE_NOOP("lum", "Message");
inline constexpr const char* kBrowse = QT_TRANSLATE_NOOP("lum", "Browse");
inline constexpr const char* kSend = QT_TRANSLATE_NOOP("lum", "Send");
inline constexpr const char* kExit = QT_TRANSLATE_NOOP("lum", "Exit");
inline constexpr const char* kBackgroundNames[8] = {
    QT_TRANSLATE_NOOP("lum", "blue"),   QT_TRANSLATE_NOOP("lum", "gray"),
    QT_TRANSLATE_NOOP("lum", "red"),    QT_TRANSLATE_NOOP("lum", "cyan"),
    QT_TRANSLATE_NOOP("lum", "green"),  QT_TRANSLATE_NOOP("lum", "yellow"),
    QT_TRANSLATE_NOOP("lum", "magenta"), QT_TRANSLATE_NOOP("lum", "orange")};
inline constexpr const char* kMessageForegroundNames[2] = {QT_TRANSLATE_NOOP("lum", "white"),
                                                           QT_TRANSLATE_NOOP("lum", "black")};
inline constexpr const char* kTransparencyNames[5] = {"100%", "75%", "50%", "25%", "0%"};
inline constexpr const char* kSpeedNames[3] = {QT_TRANSLATE_NOOP("lum", "Fast"),
                                               QT_TRANSLATE_NOOP("lum", "Normal"),
                                               QT_TRANSLATE_NOOP("lum", "Slow")};
inline constexpr const char* kClockNames[2] = {QT_TRANSLATE_NOOP("lum", "Off"),
                                               QT_TRANSLATE_NOOP("lum", "On")};
inline constexpr const char* kEncodingNames[2] = {"ANSI", "UTF-8"};
inline constexpr const char* kMessageOpenFilter = "Instant Message files(*.txt)|*.txt||";
inline constexpr const char* kTextSaveFilter = "text files(*.txt)|*.txt|All Files (*.*)|*.*||";
inline constexpr const char* kTextExtension = "txt";

// On Screen Label Editor
inline constexpr const char* kLabelTitle = QT_TRANSLATE_NOOP("lum", "On Screen Label Editor");
inline constexpr const char* kLabelLines = QT_TRANSLATE_NOOP("lum", "Lines");
inline constexpr const char* kNumberOnly = QT_TRANSLATE_NOOP("lum", "Number only (000-999)");
inline constexpr const char* kNumber = QT_TRANSLATE_NOOP("lum", "Number");
inline constexpr const char* kCenterAlignment = QT_TRANSLATE_NOOP("lum", "Center Alignment");
inline constexpr const char* kAlwaysOn = QT_TRANSLATE_NOOP("lum", "Always On");
inline constexpr const char* kMinutes = QT_TRANSLATE_NOOP("lum", "Minutes");
inline constexpr const char* kSeconds = QT_TRANSLATE_NOOP("lum", "Seconds");
inline constexpr const char* kClear = QT_TRANSLATE_NOOP("lum", "Clear");
inline constexpr const char* kFileMenu = QT_TRANSLATE_NOOP("lum", "&File");
inline constexpr const char* kSaveAs = QT_TRANSLATE_NOOP("lum", "Save as");
// Position 10 is the empty entry.
inline constexpr const char* kLabelColourNames[11] = {
    QT_TRANSLATE_NOOP("lum", "white"),  QT_TRANSLATE_NOOP("lum", "black"),
    QT_TRANSLATE_NOOP("lum", "blue"),   QT_TRANSLATE_NOOP("lum", "gray"),
    QT_TRANSLATE_NOOP("lum", "red"),    QT_TRANSLATE_NOOP("lum", "cyan"),
    QT_TRANSLATE_NOOP("lum", "green"),  QT_TRANSLATE_NOOP("lum", "yellow"),
    QT_TRANSLATE_NOOP("lum", "magenta"), QT_TRANSLATE_NOOP("lum", "orange"), ""};

}  // namespace lum::playlist_window_texts
