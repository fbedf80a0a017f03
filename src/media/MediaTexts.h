#pragma once
// Texts the media services show or send, and the fixed names they use. Kept in one place so that
// the windows, the headless server and the tests all use the same bytes.

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
inline constexpr const char* kCannotConnect = "Can not connect to: %1";
inline constexpr const char* kDefaultChannelTitle = "BBC News - World";
inline constexpr const char* kDefaultChannelLink = "http://feeds.bbci.co.uk/news/world/rss.xml";
inline constexpr const char* kRssConfigTooLarge = "the file holds %1 bytes, more than %2";
inline constexpr const char* kRssConfigTooDeep = "elements are nested deeper than %1 levels";

}  // namespace lum::media_texts
