#pragma once
// Fixed texts of the log writer and the log hub.

namespace lum::log_texts {

inline constexpr const char* kStartOfApplication = "*** START OF APPLICATION ***";
inline constexpr const char* kEndOfApplication = "*** END OF APPLICATION ***";
inline constexpr const char* kClearedLogfile = "*** CLEARED LOGFILE ***";
// %1 is the path that could not be opened.
inline constexpr const char* kCannotOpenFile = "Cannot create or open file: '%1'";
inline constexpr const char* kOpenErrorTitle = "Error in CLogFile::Open()";
inline constexpr const char* kTraceFileName = "ftptrace.log";
inline constexpr const char* kPlayerFileSuffix = ".log";

}  // namespace lum::log_texts
