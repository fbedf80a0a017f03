#include "console/ui/ReportTextMarks.h"

#include "playlists/OperatorFileTexts.h"

#include <QtGlobal>

namespace lum {

QList<TextMark> reportTextMarks() {
    namespace t = operator_file_texts;
    return {
        {t::kColFileName, QT_TRANSLATE_NOOP("lum", "File Name")},
        {t::kColFileKind, QT_TRANSLATE_NOOP("lum", "File/Directory")},
        {t::kColSize, QT_TRANSLATE_NOOP("lum", "Size(Byte)")},
        {t::kColSeq, QT_TRANSLATE_NOOP("lum", "Seq.")},
        {t::kColFilePath, QT_TRANSLATE_NOOP("lum", "File Path")},
        {t::kColDuration, QT_TRANSLATE_NOOP("lum", "Duration/Times")},
        {t::kColFrom, QT_TRANSLATE_NOOP("lum", "From hhmm")},
        {t::kColTo, QT_TRANSLATE_NOOP("lum", "To hhmm")},
        {t::kColTimesPlayed, QT_TRANSLATE_NOOP("lum", "Times Played")},
        {t::kTabPlaylist, QT_TRANSLATE_NOOP("lum", "Playlist")},
        {t::kTabPlaybackReport, QT_TRANSLATE_NOOP("lum", "Playback Report")},
    };
}

}  // namespace lum
