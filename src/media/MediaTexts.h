#pragma once
// Texts the media services show or send, and the fixed names they use. Kept in one place so that
// the windows, the headless server and the tests all use the same bytes.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

#include <array>

namespace lum::media_texts {

// Image preparation.
inline constexpr const char* kYuvMagic = "%YUVV1.0";
inline constexpr const char* kPreviewBmp = "tmpbmpfile.bmp";
inline constexpr const char* kBannerSuffix1 = "_tz1.yuv";
inline constexpr const char* kBannerSuffix2 = "_tz2.yuv";
inline constexpr const char* kBannerHistorySection = "BannerHistory";
inline constexpr const char* kTopBannersKey = "TopBanners";
inline constexpr const char* kBottomBannersKey = "BottomBanners";
inline constexpr const char* kLogoBannersKey = "LogoBanners";
inline constexpr const char* kPictureFilter = "Picture files(*.jpeg *.jpg *.bmp)|*.jpg;*.jpeg;*.bmp||";
inline constexpr const char* kInstantFilter = "Instant Photo files(*.jpeg *.jpg)|*.jpg;*.jpeg||";
inline constexpr const char* kColFileName = "File Name";

// Web items.
inline constexpr const char* kUrlBlank = "URL can not be 'Blank'";
inline constexpr const char* kFileNameBlank = "File name can not be 'Blank'";
inline constexpr const char* kNoFileLength = "Can't get the file length, please check url";

// FTP sites and publisher.
inline constexpr const char* kSitesHeader = "ZEBTech Solutions - StoreFTPSites";
inline constexpr const char* kSitesFile = "sites.dat";
inline constexpr const char* kProfileSection = "Settings";
inline constexpr const char* kInvalidFtpUrl = "Please enter a valid FTP URL";
inline constexpr const char* kConnectionLoss = "Connection loss,  need to re-connect!\n";
inline constexpr const char* kPlaylistBlank = "Playlist file can not be 'Blank'";
inline constexpr const char* kSavePlaylistTitle = "Save Playlist to FTP";
inline constexpr const char* kSaveAsLabel = "Save as";
inline constexpr const char* kDefaultPlaylistName = "playlist";
inline constexpr const char* kTempPlaylist = "TMPPLSTFTP.mpl";
inline constexpr const char* kInvalidPlaylistName = "Playlist file name can not hold \\, / or control characters";
inline constexpr const char* kAnonymous = "anonymous";
inline constexpr const char* kDefaultAgent = "AppUnknown";

// RSS feeds.
inline constexpr const char* kRssConfigFile = "rssconfig.xml";
inline constexpr const char* kDefaultLeadChars = " <<";
inline constexpr const char* kDefaultSettingsLine = "osd_settings=1,0,4,2,0,1\r\n";
inline constexpr const char* kCannotConnect = QT_TRANSLATE_NOOP("lum", "Can not connect to: %1");
inline constexpr const char* kDefaultChannelTitle = "BBC News - World";
inline constexpr const char* kDefaultChannelLink = "http://feeds.bbci.co.uk/news/world/rss.xml";
inline constexpr const char* kRssConfigTooLarge = "the file holds %1 bytes, more than %2";
inline constexpr const char* kRssConfigTooDeep = "elements are nested deeper than %1 levels";


// The RSS editor's windows.
inline constexpr const char* kRssMessageTitle = QT_TRANSLATE_NOOP("lum", "RSS Message");
inline constexpr const char* kAddFeedTitle = QT_TRANSLATE_NOOP("lum", "Add New Feed");
inline constexpr const char* kRssSettingsTitle = QT_TRANSLATE_NOOP("lum", "RSS Settings");
inline constexpr const char* kAddFeed = QT_TRANSLATE_NOOP("lum", "Add Feed");
inline constexpr const char* kRssSettings = QT_TRANSLATE_NOOP("lum", "RSS Settings");
inline constexpr const char* kExit = QT_TRANSLATE_NOOP("lum", "Exit");
inline constexpr const char* kDeleteChannel = QT_TRANSLATE_NOOP("lum", "Delete");
inline constexpr const char* kRefreshChannel = QT_TRANSLATE_NOOP("lum", "&Refresh");
inline constexpr const char* kChannelProperty = QT_TRANSLATE_NOOP("lum", "&Property");
inline constexpr const char* kGroupSettings = QT_TRANSLATE_NOOP("lum", "&RSS Settings");
// Added: names of the tree and the preview, which have no label of their own.
inline constexpr const char* kChannelTree = QT_TRANSLATE_NOOP("lum", "Groups and channels");
inline constexpr const char* kPreview = QT_TRANSLATE_NOOP("lum", "Preview");
// Added: in place of the note about installing a platform XML component.
inline constexpr const char* kFeedFormats = QT_TRANSLATE_NOOP(
    "lum", "This console reads RSS 0.91, 1.0 and 2.0 feeds (of Atom feeds, the titles).");
// Added: what a refresh is doing and what failed.
inline constexpr const char* kRefreshing = QT_TRANSLATE_NOOP("lum", "Refreshing %1 ...");
inline constexpr const char* kRefreshed = QT_TRANSLATE_NOOP("lum", "Refreshed %1");
inline constexpr const char* kCannotRefresh = QT_TRANSLATE_NOOP("lum", "Can not refresh %1: %2");
inline constexpr const char* kConnecting = QT_TRANSLATE_NOOP("lum", "Connecting to %1 ...");
inline constexpr const char* kCannotSave = QT_TRANSLATE_NOOP("lum", "Can not save file!\n");

// "Add New Feed".
inline constexpr const char* kFeedUrl = QT_TRANSLATE_NOOP("lum", "Please enter URL of feed:");
inline constexpr const char* kFeedTitle = QT_TRANSLATE_NOOP("lum", "Feed Title:");
inline constexpr const char* kFeedGroup = QT_TRANSLATE_NOOP("lum", "Group:");
inline constexpr const char* kFeedActive = QT_TRANSLATE_NOOP("lum", "Active:");
inline constexpr const char* kFeedDetailed = QT_TRANSLATE_NOOP("lum", "Detailed news");
inline constexpr const char* kConnect = QT_TRANSLATE_NOOP("lum", "Connect");
inline constexpr const char* kOk = QT_TRANSLATE_NOOP("lum", "OK");
inline constexpr const char* kCancel = QT_TRANSLATE_NOOP("lum", "Cancel");

// "RSS Settings": six lists (each stores its choice index) and the lead characters.
inline constexpr const char* kBackground = QT_TRANSLATE_NOOP("lum", "Background Color");
inline constexpr std::array<const char*, 8> kBackgrounds{
    QT_TRANSLATE_NOOP("lum", "blue"),   QT_TRANSLATE_NOOP("lum", "gray"),
    QT_TRANSLATE_NOOP("lum", "red"),    QT_TRANSLATE_NOOP("lum", "cyan"),
    QT_TRANSLATE_NOOP("lum", "green"),  QT_TRANSLATE_NOOP("lum", "yellow"),
    QT_TRANSLATE_NOOP("lum", "magenta"), QT_TRANSLATE_NOOP("lum", "orange")};
inline constexpr const char* kForeground = QT_TRANSLATE_NOOP("lum", "Foreground Color");
inline constexpr std::array<const char*, 2> kForegrounds{QT_TRANSLATE_NOOP("lum", "white"),
                                                         QT_TRANSLATE_NOOP("lum", "black")};
inline constexpr const char* kTransparent = QT_TRANSLATE_NOOP("lum", "Transparent");
inline constexpr std::array<const char*, 5> kTransparencies{"100%", "75%", "50%", "25%", "0%"};
inline constexpr const char* kSpeed = QT_TRANSLATE_NOOP("lum", "Speed");
inline constexpr std::array<const char*, 3> kSpeeds{QT_TRANSLATE_NOOP("lum", "Fast"),
                                                    QT_TRANSLATE_NOOP("lum", "Normal"),
                                                    QT_TRANSLATE_NOOP("lum", "Slow")};
inline constexpr const char* kClock = QT_TRANSLATE_NOOP("lum", "Clock");
inline constexpr const char* kAutoRss = QT_TRANSLATE_NOOP("lum", "Enable Auto RSS");
inline constexpr std::array<const char*, 2> kOffOn{QT_TRANSLATE_NOOP("lum", "Off"),
                                                   QT_TRANSLATE_NOOP("lum", "On")};
inline constexpr const char* kLeadChars = QT_TRANSLATE_NOOP("lum", "Lead Characters");
inline constexpr const char* kSave = QT_TRANSLATE_NOOP("lum", "Save");

}  // namespace lum::media_texts
