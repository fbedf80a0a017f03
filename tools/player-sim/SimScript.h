#pragma once
// The command line of lum-player-sim turned into player configurations.

#include "SimPlayer.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lum::sim {

struct SimRunOptions {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 5021;
    bool discover = false;
    QString discoverTarget;  // where the keyword goes (default: host)
    int count = 1;
    QString namePattern = QStringLiteral("player%03d");
    QString password;
    bool sameName = false;  // every player logs in with the name itself
    QString macBase = QStringLiteral("02-00-00-00-00-01");
    bool passive = true;
    int aliveMs = 30000;
    int timeoutMs = 30000;
    int staggerMs = 0;
    QString saveDir;
    bool quit = true;
    bool verbose = false;
    bool quiet = false;
    bool respond = true;
    bool hold = false;
    int restartMs = 1000;
    bool plainFtp = false;
    bool measure = false;
    std::vector<SimStep> steps;  // in command-line order
};

// Parses the arguments after the program name. False with `error` set on bad input.
bool parseArguments(const QStringList& args, SimRunOptions* out, QString* error);
QString usageText();

// The name of player `index` (from 1): "%d" or "%0Nd" in the pattern becomes the index; a
// pattern without one gets the index appended when there is more than one player.
QString playerName(const QString& pattern, int index, int count);
// `base` + (index - 1) as six upper-case hexadecimal bytes joined by "-"; false when `base` is
// not a MAC address (bytes separated by "-" or ":").
bool macForIndex(const QString& base, int index, QString* out);

std::vector<SimPlayerConfig> makePlayers(const SimRunOptions& options);

}  // namespace lum::sim
