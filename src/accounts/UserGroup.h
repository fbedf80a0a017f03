#pragma once
// One player group: its home directory, playback defaults and accounts, as stored in users.dat.

#include "accounts/User.h"

#include <QList>
#include <QMetaType>
#include <QString>

namespace lum {

inline constexpr const char* kHomeGroupName = "Home";

// A group name is also its home directory's folder name: one path component, neither empty nor
// "." or "..", without blanks around it or control characters. The group dialog and every file
// that holds group names (users.dat, restored backups) obey the same rule.
bool isValidGroupName(const QString& name);

class CUserGroup {
public:
    QString name;             // unique, compared without regard to case
    QString homeDirectory;    // program folder + "/" + name; recomputed on load and save
    QString currentPlaylist;  // full path of the playlist last sent to the whole group
    QString autoPlaylist;     // full path of the group's auto playlist
    qint32 autoPlay = 1;      // players start the auto playlist on power-up
    qint32 autoRss = 0;       // ticker enabled
    QString tickerFile;       // full path of the ticker text file; empty for a new group
    QString osdSettings;      // "osd_settings=..." line, empty until the group dialog saves
    QList<CUser> users;       // in the order added

    void write(ArchiveWriter& ar) const;
    // False when the data ends inside the record (or a length is malformed).
    bool read(ArchiveReader& ar);

    bool isHome() const;

    bool operator==(const CUserGroup&) const = default;
};

}  // namespace lum

Q_DECLARE_METATYPE(lum::CUserGroup)
