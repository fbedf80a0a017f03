// lum-server: the console's server side without a window. Prepares the data folder (settings,
// account store, Home group) and runs until SIGINT or SIGTERM.
#include "accounts/UserStore.h"
#include "console/ConsoleCore.h"
#include "console/FleetMonitor.h"
#include "console/HeadlessPrompt.h"
#include "core/DataFolder.h"
#include "core/LogHub.h"
#include "core/LogPrinter.h"
#include "core/SignalPipe.h"
#include "media/RssThread.h"
#include "monitor/MonitorEndpoint.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

void logLine(const QString& text) {
    std::fprintf(stderr, "lum-server: %s\n", qPrintable(text));
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lum-server"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("LUM control server without a window: keeps the settings, the player "
                       "accounts and their group folders in the data folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Data folder (config.ini, server data, group folders). Default: the "
                       "executable's folder when writable and not installed, else ~/.local/share/LUM."),
        QStringLiteral("DIR"));
    parser.addOption(dataDirOption);
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Control port for this run (0: any free port); config.ini keeps its value."),
        QStringLiteral("PORT"));
    parser.addOption(portOption);
    const QCommandLineOption yesOption(
        QStringLiteral("yes-to-questions"),
        QStringLiteral("Answer Yes to the questions the console would ask the operator."));
    parser.addOption(yesOption);
    const QCommandLineOption metricsOption(
        QStringLiteral("metrics"),
        QStringLiteral("Serve GET /metrics and /players on ADDR:PORT for this run (a port alone: "
                       "127.0.0.1); config.ini's [MONITOR] LISTEN keeps its value."),
        QStringLiteral("ADDR:PORT"));
    parser.addOption(metricsOption);
    const QCommandLineOption graceOption(
        QStringLiteral("offline-grace-ms"),
        QStringLiteral("Offline alert grace time in milliseconds for this run, instead of "
                       "[ALERTS] OFFLINEMINUTES (for tests; 0 turns alerts off)."),
        QStringLiteral("MS"));
    parser.addOption(graceOption);
    parser.process(app);
    qint64 graceMs = -1;
    if (parser.isSet(graceOption)) {
        bool ok = false;
        graceMs = parser.value(graceOption).toLongLong(&ok);
        if (!ok || graceMs < 0) {
            logLine(QStringLiteral("--offline-grace-ms needs a number of milliseconds"));
            return 1;
        }
    }

    // Before anything is written, so a stop request during start-up still ends cleanly.
    lum::SignalPipe stopSignals;
    if (!stopSignals.install()) {
        logLine(QStringLiteral("cannot install the signal handlers"));
        return 1;
    }

    const QString dataDir =
        lum::resolveDataFolder(parser.value(dataDirOption), QCoreApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        logLine(QStringLiteral("cannot create the data folder"));
        return 1;
    }
    logLine(QStringLiteral("data folder %1").arg(dataDir));

    lum::HeadlessPrompt prompt(nullptr, parser.isSet(yesOption));
    lum::CConsoleCore core(dataDir, lum::samplesFolder(QCoreApplication::applicationDirPath()), prompt);
    if (parser.isSet(metricsOption)) core.setMonitorListenOverride(parser.value(metricsOption));
    QString error;
    if (!core.Init(&error)) {
        logLine(error);
        return 1;
    }
    prompt.setLog(&core.logHub());
    lum::CLogPrinter printer(&core.logHub(), stderr);

    const QList<lum::CUserGroup> groups = core.store().Groups();
    int accounts = 0;
    for (const lum::CUserGroup& g : groups) accounts += g.users.size();
    logLine(QStringLiteral("account store %1: %2 groups, %3 accounts")
                .arg(core.store().filePath())
                .arg(groups.size())
                .arg(accounts));
    logLine(QStringLiteral("RSS worker started (%1)").arg(core.rss().configPath()));
    logLine(QStringLiteral("operator socket %1").arg(core.operatorSocketName()));
    if (graceMs >= 0) core.settings().setOfflineGraceOverrideMs(graceMs);
    if (const lum::MonitorEndpoint& endpoint = core.fleet().endpoint(); endpoint.isListening())
        logLine(QStringLiteral("monitoring endpoint on %1:%2")
                    .arg(endpoint.address().toString())
                    .arg(endpoint.port()));
    else if (parser.isSet(metricsOption))
        logLine(QStringLiteral("monitoring endpoint cannot listen on %1 (see the log)")
                    .arg(parser.value(metricsOption)));

    // The headless program exists to serve players: it always starts the control server.
    if (parser.isSet(portOption)) core.settings().setPort(parser.value(portOption).toInt());
    if (!core.StartServer()) {
        logLine(QStringLiteral("cannot listen on TCP port %1: %2")
                    .arg(core.settings().port())
                    .arg(core.server().ListenError()));
        core.Shutdown();
        return 2;
    }
    logLine(QStringLiteral("control server listening on port %1").arg(core.server().ListeningPort()));

    QObject::connect(&stopSignals, &lum::SignalPipe::received, &app, [](int sig) {
        logLine(QStringLiteral("signal %1 received, stopping").arg(sig));
        QCoreApplication::quit();
    });

    logLine(QStringLiteral("running; stop with SIGINT or SIGTERM"));
    const int rc = app.exec();
    core.Shutdown();
    logLine(QStringLiteral("stopped"));
    return rc;
}
