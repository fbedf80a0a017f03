// lum-server: the console's server side without a window. Prepares the data folder (settings,
// account store, Home group), runs the control server, and stops it with every connection
// ended on SIGINT or SIGTERM.
#include "accounts/AccountRules.h"
#include "accounts/UserStore.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "media/RssAccounts.h"
#include "media/RssThread.h"
#include "playlists/HomeGroup.h"
#include "core/LogSink.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"
#include "server/UserStoreAccounts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalFd[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the signal up from the pipe.
void onSignal(int sig) {
    const char c = char(sig);
    [[maybe_unused]] ssize_t n = ::write(g_signalFd[1], &c, 1);
}

bool installSignalPipe() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalFd) != 0) return false;
    ::fcntl(g_signalFd[1], F_SETFL, O_NONBLOCK);
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &sa, nullptr) == 0 && ::sigaction(SIGTERM, &sa, nullptr) == 0;
}

void logLine(const QString& text) {
    std::fprintf(stderr, "lum-server: %s\n", qPrintable(text));
    std::fflush(stderr);
}

// Server log entries on standard error until the log files are wired in.
class StderrLog : public lum::ILogSink {
public:
    void addLog(int type, const QString& key, const QString& text) override {
        logLine(key.isEmpty() ? QStringLiteral("[%1] %2").arg(type).arg(text)
                              : QStringLiteral("[%1] %2 %3").arg(type).arg(key, text));
    }
};

// What the online view and the account tree would show, logged.
class LoggingObserver : public lum::IServerObserver {
public:
    void ClientLoggedIn(quint32 id, const QString& name, const QString& ip, const QString& mac) override {
        logLine(QStringLiteral("player %1 online on connection %2 from %3, MAC %4").arg(name).arg(id).arg(ip, mac));
    }
    void ClientLoggedOut(quint32 id) override {
        logLine(QStringLiteral("connection %1 offline").arg(id));
    }
    void ClientEvent(int code, const QString& mac, const QString& text, const lum::PlayerReport&) override {
        logLine(QStringLiteral("player %1 event %2: %3").arg(mac).arg(code).arg(text));
    }
    void AccountRegistered(const QString& name, const QString& group) override {
        logLine(QStringLiteral("new player %1 registered in group %2").arg(name, group));
    }
};

// Everything the control server needs from the program, in one place.
bool startControlServer(lum::CControlServer& server, const lum::CAppSettings& settings,
                        const QString& dataDir) {
    server.ApplySettings(settings);
    server.SetProgramFolder(dataDir);
    if (server.Start()) {
        logLine(QStringLiteral("control server listening on port %1").arg(server.ListeningPort()));
        return true;
    }
    logLine(QStringLiteral("cannot listen on TCP port %1: %2")
                .arg(settings.port())
                .arg(server.ListenError()));
    return false;
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
                       "executable's folder when writable, else ~/.local/share/LUM."),
        QStringLiteral("DIR"));
    parser.addOption(dataDirOption);
    parser.process(app);

    // Before anything is written, so a stop request during start-up still ends cleanly.
    if (!installSignalPipe()) {
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

    const QString iniPath = lum::joinPath(dataDir, lum::kConfigFile);
    const bool hadConfig = QFileInfo::exists(iniPath);
    lum::CAppSettings settings(iniPath);
    settings.Load();
    lum::setAnsiCodepage(lum::codepageForLanguage(settings.language()));
    if (hadConfig) {
        logLine(QStringLiteral("settings read from %1").arg(iniPath));
    } else if (settings.Save()) {
        logLine(QStringLiteral("settings written with defaults to %1").arg(iniPath));
    } else {
        logLine(QStringLiteral("cannot write %1").arg(iniPath));
        return 1;
    }

    QDir().mkpath(lum::joinPath(dataDir, lum::kLogDir));

    lum::CUserStore store(dataDir);
    const int loaded = store.Load();
    const QList<lum::CUserGroup> groups = store.Groups();
    int accounts = 0;
    for (const lum::CUserGroup& g : groups) accounts += g.users.size();
    logLine(QStringLiteral("account store %1: %2 groups, %3 accounts%4")
                .arg(store.filePath())
                .arg(groups.size())
                .arg(accounts)
                .arg(loaded ? QString() : QStringLiteral(" (file damaged; the rest was dropped)")));

    // Home group guarantee: the group, its folder and a starter auto playlist of the samples.
    const lum::HomeGroupReport home = lum::ensureHomeGroup(
        store, dataDir, lum::joinPath(QCoreApplication::applicationDirPath(), QStringLiteral("Samples")));
    if (home.homeCreated)
        logLine(QStringLiteral("group Home created%1")
                    .arg(home.starterWritten ? QStringLiteral(" with a starter AutoPlaylist.mpl")
                                             : QString()));
    for (const QString& dir : home.failedFolders)
        logLine(QStringLiteral("cannot create the home directory %1").arg(dir));
    if (!store.Save()) {
        logLine(QStringLiteral("cannot write %1").arg(store.filePath()));
        return 1;
    }
    logLine(QStringLiteral("account store written"));

    // The ticker worker: refreshes the groups' RSS channels every minute and rebuilds their
    // "rssmsg.txt". Players are told of changed tickers once commands can be posted to them.
    lum::CRssThread rss(dataDir, lum::rssGroupsOf(store), nullptr);
    lum::connectRssGroupUpkeep(store, rss);
    rss.start();
    logLine(QStringLiteral("RSS worker started (%1)").arg(rss.configPath()));

    QSocketNotifier stopNotifier(g_signalFd[0], QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, [&] {
        char c = 0;
        [[maybe_unused]] ssize_t n = ::read(g_signalFd[0], &c, 1);
        logLine(QStringLiteral("signal %1 received, stopping").arg(int(c)));
        QCoreApplication::quit();
    });

    StderrLog serverLog;
    LoggingObserver observer;
    lum::UserStoreAccounts playerAccounts(store);
    lum::CControlServer server(&playerAccounts, &serverLog);
    server.SetObserver(&observer);
    server.SetRssActive([&rss] { return rss.autoRss(); });
    if (!startControlServer(server, settings, dataDir)) return 2;

    logLine(QStringLiteral("running; stop with SIGINT or SIGTERM"));
    const int rc = app.exec();
    server.Stop();  // ends every connection
    rss.stop();
    logLine(QStringLiteral("stopped"));
    return rc;
}
