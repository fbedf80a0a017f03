#pragma once
// lumctl's playlist verbs, which need no running LUM:
//   playlist make OUT.mpl MEDIA...   a playlist built through the Commander's rules (the same
//                                    bytes the window writes for the same choices)
//   copy-all FILE.mpl --to DIR       "Copy All..." onto a mounted drive (or any folder)
//   publish --site PROFILE FILE.mpl  "Upload playlist" through a stored FTP site

#include "playlists/RemovableCopy.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

namespace lum {

class FtpProfile;
class IOperatorPrompt;

// The choices of "playlist make"; each unset one is the Commander's default.
struct PlaylistMakeOptions {
    QStringList media;                 // local media files, in playlist order
    QStringList zones;                 // zone images: Multi Zone on, each plays the picture time
    std::optional<int> pictureTime;    // "Picture Play Time:" 0-99999
    QString transition;                // a picture's transition (a table entry, any case)
    QString globalTransition;          // "Full Screen", "Random" or "Cross Fade" (any case)
    QString duration;                  // "Duration/Times" of every item
    QString startTime, stopTime;       // "From hhmm" and "To hhmm" of every item
    bool mute = false;
    QString downloadAt;                // the download schedule, "HHMM" or "HH:MM"
    QString deleteFiles;               // none, format, not-in-playlist or in-playlist
    bool reload = false;
    bool dlOnly = false;
    bool fullScreen = false;           // every item that may be full screen
};

// Builds the playlist and writes it to `out`. False (nothing written) with the reasons in
// `errors`: a missing or non-media file, a path longer than an item holds, a second schedule,
// a refused cell, an unknown name.
bool makePlaylist(const QString& out, const PlaylistMakeOptions& options, QStringList* errors);

// The folder of "copy-all --folder": root, MEDIA, COPY or SYNC (any case).
std::optional<CopyAllFolder> copyAllFolderByName(const QString& name);

// The plan of "Copy All..." for the playlist `playlist` onto the folder of `mountPoint`; nothing
// (and why) when the playlist cannot be read, has no item or holds an invalid time, or the
// mount point is no folder.
std::optional<CopyPlan> copyAllPlanFor(const QString& playlist, const QString& mountPoint,
                                       CopyAllFolder folder, QString* error);

// Uploads `playlist` through the stored site `site` into the site's start folder as `name`
// (".mpl" appended when missing; empty: the file's own name). Connects as the Commander does
// (attempts, time-outs, messages through `prompt`). False with the reason when not uploaded;
// `remotePath` gets where it went.
bool publishPlaylist(const QString& programFolder, const QString& site, const QString& playlist,
                     const QString& name, const FtpProfile& profile, IOperatorPrompt& prompt,
                     QString* error, QString* remotePath = nullptr);

}  // namespace lum
