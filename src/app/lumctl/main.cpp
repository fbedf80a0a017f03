// lumctl: the command-line operator. Talks to a running lum or lum-server over its local
// operator socket (one JSON object per line).

#include "core/DataFolder.h"
#include "media/YuvImage.h"
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
    "  ticker --group G                build G's ticker and tell its players\n"
    "  rss refresh                     refresh every RSS channel now\n"
    "  rss add --group G --url U [--title T] [--detailed]\n"
    "  picture FILE.jpg [--seconds N]  show a picture at once (Pictavo time N)\n"
    "  convert-yuv IN OUT [--size WxH] convert a picture to a zone image (no LUM needed)\n"
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
    QCommandLineOption url("url", "Feed address (rss add).", "URL");
    QCommandLineOption title("title", "Feed title (rss add; default: the feed's own).", "TEXT");
    QCommandLineOption detailed("detailed", "Use the feed's descriptions (rss add).");
    QCommandLineOption seconds("seconds", "Display time of a picture.", "N");
    QCommandLineOption size("size", "Zone image size (convert-yuv; default: the picture's).", "WxH");
    parser.addOptions({dataDir, group, player, yes, json, url, title, detailed, seconds, size});
    parser.addPositionalArgument("command", "See the list above.");
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        err(QStringLiteral("no command given (see --help)"));
        return 1;
    }
    if (args[0] == "convert-yuv") {
        // Local work: no running LUM needed.
        if (args.size() != 3) {
            err(QStringLiteral("convert-yuv needs IN and OUT"));
            return 1;
        }
        int w = 0, h = 0;
        if (parser.isSet(size)) {
            const QStringList wh = parser.value(size).split('x');
            bool okW = false, okH = false;
            if (wh.size() == 2) {
                w = wh[0].toInt(&okW);
                h = wh[1].toInt(&okH);
            }
            if (!okW || !okH || w <= 0 || h <= 0) {
                err(QStringLiteral("--size needs WxH, e.g. 560x560"));
                return 1;
            }
        }
        const qint64 written = lum::convertToYuv(args[1], args[2], w, h);
        if (written == 0) {
            err(QStringLiteral("cannot write %1").arg(args[2]));
            return 1;
        }
        out(QStringLiteral("%1 bytes written to %2").arg(written).arg(args[2]));
        return 0;
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
    } else if (cmd == "rss") {
        if (args.size() < 2) {
            err(QStringLiteral("rss needs refresh or add"));
            return 1;
        }
        req["action"] = args[1];
        if (parser.isSet(url)) req["url"] = parser.value(url);
        if (parser.isSet(title)) req["title"] = parser.value(title);
        if (parser.isSet(detailed)) req["detailed"] = true;
    } else if (cmd == "picture") {
        if (args.size() < 2) {
            err(QStringLiteral("picture needs a JPEG file"));
            return 1;
        }
        req["file"] = QFileInfo(args[1]).absoluteFilePath();
        if (parser.isSet(seconds)) req["seconds"] = parser.value(seconds).toInt();
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
