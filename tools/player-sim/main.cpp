// lum-player-sim: simulated players for the LUM control server (see --help).
#include "SimDiscovery.h"
#include "SimPlayer.h"
#include "SimProtocol.h"
#include "SimScript.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <set>
#include <unistd.h>

using namespace lum::sim;

namespace {

void print(std::FILE* to, const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
    std::fflush(to);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.contains("--help") || args.contains("-h")) {
        print(stdout, usageText());
        return 0;
    }
    if (args.contains("--version")) {
        print(stdout, QStringLiteral("lum-player-sim " LUM_VERSION));
        return 0;
    }
    SimRunOptions options;
    QString error;
    if (!parseArguments(args, &options, &error)) {
        print(stderr, QStringLiteral("lum-player-sim: ") + error);
        print(stderr, QStringLiteral("Try --help."));
        return 2;
    }

    std::vector<std::unique_ptr<CSimPlayer>> players;
    int done = 0;
    int succeeded = 0;
    double startedMs = 0;
    std::set<const CSimPlayer*> loggedIn;
    auto json = [](QJsonObject o) {
        print(stdout, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
    };
    auto startPlayers = [&] {
        startedMs = wallClockMs();
        for (SimPlayerConfig& config : makePlayers(options)) {
            auto player = std::make_unique<CSimPlayer>(std::move(config));
            QObject::connect(player.get(), &CSimPlayer::output,
                             [&](const QString& name, const QString& line) {
                                 if (options.quiet && !line.startsWith('!')) return;
                                 if (!options.verbose && line.startsWith('>')) return;
                                 print(stdout, name + ' ' + line);
                             });
            if (options.measure) {
                const CSimPlayer* self = player.get();
                QObject::connect(player.get(), &CSimPlayer::measured,
                                 [&, self](const QString& name, const QString& event, QJsonObject o) {
                                     o.insert("ev", event);
                                     o.insert("player", name);
                                     json(o);
                                     if (event != QLatin1String("login") || !loggedIn.insert(self).second)
                                         return;
                                     if (loggedIn.size() == players.size())
                                         json({{"ev", "all_logged_in"},
                                               {"players", int(players.size())},
                                               {"ms", wallClockMs() - startedMs}});
                                 });
            }
            QObject::connect(player.get(), &CSimPlayer::finished, [&](bool ok) {
                ++done;
                if (ok) ++succeeded;
                if (done == static_cast<int>(players.size())) app.exit(0);
            });
            players.push_back(std::move(player));
        }
        for (size_t i = 0; i < players.size(); ++i) {
            CSimPlayer* p = players[i].get();
            QTimer::singleShot(static_cast<int>(i) * options.staggerMs, p, [p] { p->start(); });
        }
    };

    // --hold: each line on standard input releases the players that hold; the end of the
    // input stops holding.
    std::unique_ptr<QSocketNotifier> input;
    if (options.hold) {
        input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(input.get(), &QSocketNotifier::activated, [&] {
            char buf[256];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) {
                input->setEnabled(false);
                for (const auto& p : players) p->stopHolding();
                return;
            }
            for (ssize_t i = 0; i < n; ++i)
                if (buf[i] == '\n')
                    for (const auto& p : players) p->release();
        });
    }

    CSimDiscovery discovery;
    if (options.discover) {
        const QHostAddress target(options.discoverTarget.isEmpty() ? options.host
                                                                   : options.discoverTarget);
        if (target.isNull()) {
            print(stderr, QStringLiteral("lum-player-sim: --discover needs an IPv4 address"));
            return 2;
        }
        QObject::connect(&discovery, &CSimDiscovery::found, [&](const QHostAddress& server) {
            print(stdout, QStringLiteral("discovery: server at %1").arg(server.toString()));
            options.host = server.toString();
            startPlayers();
        });
        QObject::connect(&discovery, &CSimDiscovery::failed, [&](const QString& reason) {
            print(stderr, QStringLiteral("discovery: ") + reason);
            app.exit(1);
        });
        if (!discovery.start(target, options.port, kDiscoveryKeyword)) {
            print(stderr, QStringLiteral("discovery: cannot open a UDP socket"));
            return 1;
        }
    } else {
        startPlayers();
    }
    if (app.exec() != 0 || players.empty()) return 1;
    print(stdout, QStringLiteral("%1 of %2 players succeeded").arg(succeeded).arg(players.size()));
    for (const auto& p : players)
        if (!p->succeeded()) print(stderr, p->name() + QStringLiteral(" failed: ") + p->failure());
    return succeeded == static_cast<int>(players.size()) ? 0 : 1;
}
