#pragma once
// The program folder: where config.ini, "server data/", the group home directories, Log/ and
// YUVDATA/ live. Chosen once at start-up:
//   1. --data-dir DIR when given;
//   2. else the executable's folder when it is writable (portable use), unless the program is
//      installed (a system folder such as /usr/bin is never a data folder, even for root);
//   3. else the user's data folder (~/.local/share/LUM).
//
// The read-only files that come with the programs (sample media, interface translations) lie
// beside the executable in the build folder and under <prefix>/share/lum when installed.

#include <QString>

namespace lum {

// Resolves (and creates) the data folder. `explicitDir` is the --data-dir value or empty.
// Returns the absolute path without a trailing separator; empty when it cannot be created.
QString resolveDataFolder(const QString& explicitDir, const QString& executableDir);

// <prefix>/share/lum for an executable in <prefix>/bin (the installed layout, found relative to
// the executable so any install prefix works); no check that it exists.
QString installedShareFolderFor(const QString& executableDir);
// True when the executable runs from an installed layout (its share folder exists).
bool isInstalledProgram(const QString& executableDir);
// The sample media: <share>/samples when installed, else "Samples" beside the executable.
QString samplesFolder(const QString& executableDir);
// The folder of the lum_<locale>.qm translations: <share>/translations when installed, else
// the executable's folder.
QString translationsFolder(const QString& executableDir);

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
