#pragma once
// The "Home" group always exists: players with unknown names are registered there. When the
// account store lacks it, it is created with its folder and a starter auto playlist that lists
// the program's sample media, so a fresh installation plays something out of the box.

#include <QString>
#include <QStringList>

namespace lum {

class CUserStore;

struct HomeGroupReport {
    bool homeCreated = false;     // the group was missing and has been added
    bool starterWritten = false;  // a starter AutoPlaylist.mpl was written
    QStringList createdFolders;   // home directories that were missing and now exist
    QStringList failedFolders;    // home directories that could not be created
    bool ok = true;               // false when something above failed (group, file or folder)
};

// Makes sure "Home" exists (folder programFolder/Home, auto playlist Home/AutoPlaylist.mpl with
// the sample files of `samplesFolder`; a missing samples folder gives an empty starter) and
// that every group's home directory exists. An AutoPlaylist.mpl already on disk is kept. The
// auto playlist is recorded as handed to Home: the starter with the sample media it lists, a
// kept playlist by itself.
HomeGroupReport ensureHomeGroup(CUserStore& store, const QString& programFolder,
                                const QString& samplesFolder);

// Writes the starter playlist: every media file of `samplesFolder` (by name), default settings.
bool writeStarterPlaylist(const QString& path, const QString& samplesFolder);

}  // namespace lum
