#pragma once
// Labels and texts of the Playlist Commander, its "Playlist Settings" and "Save Playlist to FTP"
// windows and the FTP Site Manager, as the operator reads them (English originals; widgets show
// them through uiText).

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::commander_texts {

// Browsing side
inline constexpr const char* kLocalTab = QT_TRANSLATE_NOOP("lum", "Local Directory");
inline constexpr const char* kHttpTab = QT_TRANSLATE_NOOP("lum", "Remote HTTP Server");
inline constexpr const char* kFtpTab = QT_TRANSLATE_NOOP("lum", "Remote FTP Server");
inline constexpr const char* kFileType = QT_TRANSLATE_NOOP("lum", "File Type");
inline constexpr const char* kMplSch = "mpl/sch";
inline constexpr const char* kYuv = "yuv";
inline constexpr const char* kFolders = QT_TRANSLATE_NOOP("lum", "Folders");
inline constexpr const char* kFiles = QT_TRANSLATE_NOOP("lum", "Files");
// The switch that lists the files on the player chosen in "Select Group/Device" (its storage
// report) instead of a local folder.
inline constexpr const char* kPlayerFiles = QT_TRANSLATE_NOOP("lum", "Player Files");
inline constexpr const char* kPlayerFilesTip = QT_TRANSLATE_NOOP(
    "lum", "List the files stored on the player chosen in \"Select Group/Device\"");
inline constexpr const char* kChoosePlayer =
    QT_TRANSLATE_NOOP("lum", "Choose a player in \"Select Group/Device\" first.");
inline constexpr const char* kUrlAndPath = QT_TRANSLATE_NOOP("lum", "URL and Path");
inline constexpr const char* kFileName = QT_TRANSLATE_NOOP("lum", "File Name");
inline constexpr const char* kFtpSite = QT_TRANSLATE_NOOP("lum", "FTP Site");
inline constexpr const char* kConnect = QT_TRANSLATE_NOOP("lum", "Connect");
inline constexpr const char* kProperty = QT_TRANSLATE_NOOP("lum", "Property");
inline constexpr const char* kRemoteFolders = QT_TRANSLATE_NOOP("lum", "Remote Folders");
inline constexpr const char* kRemoteFiles = QT_TRANSLATE_NOOP("lum", "Remote Files");
inline constexpr const char* kAdd = ">";
inline constexpr const char* kAddAll = ">>";
inline constexpr const char* kAddTip = QT_TRANSLATE_NOOP("lum", "Add the selected files");
inline constexpr const char* kAddAllTip = QT_TRANSLATE_NOOP("lum", "Add every file of the list");

// Playlist side
inline constexpr const char* kPlaylist = QT_TRANSLATE_NOOP("lum", "Playlist");
inline constexpr const char* kFile = QT_TRANSLATE_NOOP("lum", "File");
inline constexpr const char* kNew = QT_TRANSLATE_NOOP("lum", "New");
inline constexpr const char* kOpen = QT_TRANSLATE_NOOP("lum", "Open");
inline constexpr const char* kSave = QT_TRANSLATE_NOOP("lum", "Save");
inline constexpr const char* kSettings = QT_TRANSLATE_NOOP("lum", "Settings");
inline constexpr const char* kMultiZone = QT_TRANSLATE_NOOP("lum", "Multi Zone");
inline constexpr const char* kImageZone = QT_TRANSLATE_NOOP("lum", "Imag Zone...");
inline constexpr const char* kNoImageEditor = QT_TRANSLATE_NOOP("lum", "The image editor is not available");
inline constexpr const char* kFullScreen = QT_TRANSLATE_NOOP("lum", "FullScrn");
inline constexpr const char* kAddTvFeed = QT_TRANSLATE_NOOP("lum", "Add TV-feed");
inline constexpr const char* kScrollTextOff = QT_TRANSLATE_NOOP("lum", "Scroll.Text.Off");
inline constexpr const char* kDelete = QT_TRANSLATE_NOOP("lum", "Del");
inline constexpr const char* kClear = QT_TRANSLATE_NOOP("lum", "Clear");
inline constexpr const char* kUp = QT_TRANSLATE_NOOP("lum", "Up");
inline constexpr const char* kDown = QT_TRANSLATE_NOOP("lum", "Down");
inline constexpr const char* kSelectTarget = QT_TRANSLATE_NOOP("lum", "Select Group/Device");
inline constexpr const char* kAutoPlay = QT_TRANSLATE_NOOP("lum", "AutoPlay");
inline constexpr const char* kEzPlay = QT_TRANSLATE_NOOP("lum", "EZ-Play");
inline constexpr const char* kCopyAll = QT_TRANSLATE_NOOP("lum", "Copy All...");
inline constexpr const char* kUpload = QT_TRANSLATE_NOOP("lum", "Upload playlist");
inline constexpr const char* kCopyAllTitle = QT_TRANSLATE_NOOP("lum", "Copy All to Removable drive");
inline constexpr const char* kOpenFilter = "Playlist files(*.mpl)|*.mpl||";
inline constexpr const char* kSaveFilter = "Playlist files(*.mpl)|*.mpl|All Files (*.*)|*.*||";
inline constexpr const char* kPlaylistExtension = "mpl";

// "Playlist Settings"
inline constexpr const char* kSettingsTitle = QT_TRANSLATE_NOOP("lum", "Playlist Settings");
inline constexpr const char* kPictureTime = QT_TRANSLATE_NOOP("lum", "Picture Play Time:");
inline constexpr const char* kSeconds = QT_TRANSLATE_NOOP("lum", "seconds");
inline constexpr const char* kUseGlobalTransition = QT_TRANSLATE_NOOP("lum", "Use Global Transition");
inline constexpr const char* kDeleteFiles = QT_TRANSLATE_NOOP("lum", "Delete Files:");
inline constexpr const char* kMuteSound = QT_TRANSLATE_NOOP("lum", "Mute Sound");
inline constexpr const char* kDownloadSchedule = QT_TRANSLATE_NOOP("lum", "Download Schedule");
inline constexpr const char* kHour = QT_TRANSLATE_NOOP("lum", "Hour");
inline constexpr const char* kMinute = QT_TRANSLATE_NOOP("lum", "Minute");
inline constexpr const char* kOk = QT_TRANSLATE_NOOP("lum", "OK");
inline constexpr const char* kCancel = QT_TRANSLATE_NOOP("lum", "Cancel");

// "FTP Site Manager"
inline constexpr const char* kSiteManagerTitle = QT_TRANSLATE_NOOP("lum", "FTP Site Manager");
inline constexpr const char* kSites = QT_TRANSLATE_NOOP("lum", "Sites");
inline constexpr const char* kHostAddress = QT_TRANSLATE_NOOP("lum", "Host Address");
inline constexpr const char* kPort = QT_TRANSLATE_NOOP("lum", "Port");
inline constexpr const char* kUsePasv = QT_TRANSLATE_NOOP("lum", "Use PASV Mode");
inline constexpr const char* kLogin = QT_TRANSLATE_NOOP("lum", "Login");
inline constexpr const char* kProfileName = QT_TRANSLATE_NOOP("lum", "ProfileName");
inline constexpr const char* kPassword = QT_TRANSLATE_NOOP("lum", "Password");
inline constexpr const char* kInitialPath = QT_TRANSLATE_NOOP("lum", "Initial Path");
inline constexpr const char* kAnonymous = QT_TRANSLATE_NOOP("lum", "Anoymous");
inline constexpr const char* kSiteAdd = QT_TRANSLATE_NOOP("lum", "Add");
inline constexpr const char* kSiteSave = QT_TRANSLATE_NOOP("lum", "Save");
inline constexpr const char* kSiteRemove = QT_TRANSLATE_NOOP("lum", "Remove");

}  // namespace lum::commander_texts
