#pragma once
// Helpers the player's files share: step builders and the texts of playlists and MACs.

#include "SimPlayer.h"

#include "core/IniFile.h"

#include <QRegularExpression>

namespace lum::sim::detail {


inline QString fileNameOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

inline bool isError(int code) { return code >= 400; }

inline bool isPlaylistName(const QString& remote) {
    return fileNameOf(remote).endsWith(QLatin1String(".mpl"), Qt::CaseInsensitive);
}

inline SimStep sendStep(const QString& line) {
    SimStep s;
    s.kind = SimStep::Kind::Send;
    s.text = line;
    return s;
}

inline SimStep commandStep(const QString& line) {
    SimStep s;
    s.kind = SimStep::Kind::Command;
    s.text = line;
    return s;
}

inline SimStep kindStep(SimStep::Kind kind, const QString& remote = {}) {
    SimStep s;
    s.kind = kind;
    s.remote = remote;
    return s;
}

inline QString kindName(SimStep::Kind kind) {
    switch (kind) {
    case SimStep::Kind::List: return QStringLiteral("LIST");
    case SimStep::Kind::Nlst: return QStringLiteral("NLST");
    case SimStep::Kind::Retr: return QStringLiteral("RETR");
    case SimStep::Kind::Stor: return QStringLiteral("STOR");
    case SimStep::Kind::Appe: return QStringLiteral("APPE");
    case SimStep::Kind::Stay: return QStringLiteral("stay");
    default: return QStringLiteral("line");
    }
}

// The media a playlist lists, by file name, each once: [file0], [file1], ... up to the first
// section without `path`. Remote items (with a host) and the ticker and TV markers are not
// files of the console.
inline QStringList playlistMediaNames(const QByteArray& playlist) {
    const IniFile ini = IniFile::fromBytes(playlist);
    QStringList names;
    for (int n = 0;; ++n) {
        const QByteArray section = "file" + QByteArray::number(n);
        const QString path = QString::fromLatin1(ini.value(section, "path"));
        if (path.isEmpty()) break;
        if (!ini.value(section, "host").isEmpty()) continue;
        if (path == QLatin1String("ScrollText.End") || path == QLatin1String("TV_FEED_ON")) continue;
        const QString name = fileNameOf(path);
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive)) names << name;
    }
    return names;
}

// A MAC address as the console hands it out: six two-digit hexadecimal bytes joined by "-".
inline bool isMacText(const QString& text) {
    static const QRegularExpression mac(QStringLiteral("^[0-9A-Fa-f]{2}(-[0-9A-Fa-f]{2}){5}$"));
    return mac.match(text).hasMatch();
}


}  // namespace lum::sim::detail
