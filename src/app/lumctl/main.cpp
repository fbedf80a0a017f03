// lumctl: the command-line operator. Talks to a running lum or lum-server over its local
// operator socket (one JSON object per line).

#include "core/DataFolder.h"
#include "server/OperatorSocket.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

#include <cstdio>

namespace {

const char* kUsage =
    "Commands:\n"
    "  players                         list the known players\n"
    "  server start|stop|status        control the control server\n"
    "  play|stop|reboot|format|msgoff|videoon|videooff|mute|groupstatus\n"
    "  volume LEVEL                    LEVEL 1 to 15\n"
    "  status|capacity|files|playlist  to one player (--player)\n"
    "  send INDEX [TEXT]               any operator command index\n"
    "Targets: --group NAME or --player NAME (default: every player).";

void out(const QString& s) { std::fprintf(stdout, "%s\n", s.toLocal8Bit().constData()); }
void err(const QString& s) { std::fprintf(stderr, "lumctl: %s\n", s.toLocal8Bit().constData()); }

void printPlayers(const QJsonArray& players) {
    out(QStringLiteral("%1 %2 %3 %4 %5 %6")
            .arg("User", -10).arg("Group", -12).arg("Status", -20).arg("IP Address", -16)
            .arg("MAC Address", -18).arg("Playlist"));
    for (const auto& v : players) {
        const QJsonObject p = v.toObject();
        out(QStringLiteral("%1 %2 %3 %4 %5 %6")
                .arg(p["name"].toString(), -10).arg(p["group"].toString(), -12)
                .arg(p["status"].toString(), -20).arg(p["ip"].toString(), -16)
                .arg(p["mac"].toString(), -18).arg(p["playlist"].toString()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("lumctl");
    QCoreApplication::setApplicationVersion(LUM_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Command-line operator for LUM.\n") + kUsage);
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir("data-dir", "Data folder of the running LUM.", "DIR");
    QCommandLineOption group("group", "Target one group.", "NAME");
    QCommandLineOption player("player", "Target one player.", "NAME");
    QCommandLineOption yes("yes", "Answer Yes to the command's question (reboot, format).");
    QCommandLineOption json("json", "Print the raw JSON reply.");
    parser.addOptions({dataDir, group, player, yes, json});
    parser.addPositionalArgument("command", "See the list above.");
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        err(QStringLiteral("no command given (see --help)"));
        return 1;
    }
    const QString exeDir = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    const QString folder = lum::resolveDataFolder(parser.value(dataDir), exeDir);

    QJsonObject req;
    const QString cmd = args[0];
    req["cmd"] = cmd;
    if (parser.isSet(group)) req["group"] = parser.value(group);
    if (parser.isSet(player)) req["player"] = parser.value(player);
    if (parser.isSet(yes)) req["yes"] = true;
    if (cmd == "server") {
        if (args.size() < 2) {
            err(QStringLiteral("server needs start, stop or status"));
            return 1;
        }
        req["action"] = args[1];
    } else if (cmd == "volume") {
        bool ok = false;
        const int level = args.value(1).toInt(&ok);
        if (!ok) {
            err(QStringLiteral("volume needs a level 1 to 15"));
            return 1;
        }
        req["level"] = level;
    } else if (cmd == "send") {
        bool ok = false;
        const int index = args.value(1).toInt(&ok);
        if (!ok) {
            err(QStringLiteral("send needs a command index"));
            return 1;
        }
        req["index"] = index;
        if (args.size() > 2) req["text"] = args.mid(2).join(' ');
    }

    QLocalSocket socket;
    socket.connectToServer(lum::COperatorSocket::socketNameFor(folder));
    if (!socket.waitForConnected(3000)) {
        err(QStringLiteral("no LUM is running on %1 (%2)").arg(folder, socket.errorString()));
        return 2;
    }
    socket.write(QJsonDocument(req).toJson(QJsonDocument::Compact) + '\n');
    socket.flush();
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(30000)) {
            err(QStringLiteral("no reply from LUM"));
            return 2;
        }
    }
    const QJsonObject reply = QJsonDocument::fromJson(socket.readLine()).object();
    if (parser.isSet(json)) {
        out(QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact)));
    } else if (!reply["ok"].toBool()) {
        err(reply["error"].toString());
    } else if (reply.contains("players")) {
        printPlayers(reply["players"].toArray());
    } else if (reply.contains("running")) {
        out(reply["running"].toBool() ? QStringLiteral("running") : QStringLiteral("stopped"));
    } else {
        for (const auto& m : reply["messages"].toArray()) out(m.toString());
        out(QStringLiteral("targeted %1, delivered %2")
                .arg(reply["targeted"].toInt())
                .arg(reply["delivered"].toInt()));
    }
    return reply["ok"].toBool() ? 0 : 1;
}
