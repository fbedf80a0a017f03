#pragma once
// The program folder: where config.ini, "server data/", the group home directories, Log/ and
// YUVDATA/ live. Chosen once at start-up:
//   1. --data-dir DIR when given;
//   2. else the executable's folder when it is writable (portable use);
//   3. else the user's data folder (~/.local/share/LUM).

#include <QString>

namespace lum {

// Resolves (and creates) the data folder. `explicitDir` is the --data-dir value or empty.
// Returns the absolute path without a trailing separator; empty when it cannot be created.
QString resolveDataFolder(const QString& explicitDir, const QString& executableDir);

// Joins a folder and a relative name with the local separator ("%s\%s" in the stored formats).
QString joinPath(const QString& folder, const QString& name);

// Fixed folder and file names under the program folder.
inline constexpr const char* kServerDataDir = "server data";
inline constexpr const char* kLogDir = "Log";
inline constexpr const char* kYuvDir = "YUVDATA";
inline constexpr const char* kConfigFile = "config.ini";

// The last component of a path written with '/' or '\'.
QString fileNameOfPath(const QString& path);

}  // namespace lum
