// lumctl: the command-line operator. Talks to a running lum or lum-server over its local
// operator socket (one JSON object per line each way).

#include "core/DataFolder.h"
#include "core/OperatorPrompt.h"
#include "core/SignalPipe.h"
#include "media/FtpSite.h"
#include "media/PlaylistVerbs.h"
#include "media/YuvImage.h"
#include "monitor/FleetEvent.h"
#include "monitor/PlayReport.h"
#include "playlists/PlaylistDocument.h"
#include "server/OperatorSocket.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

#include <cstdio>

namespace {

const char* kVerbs =
    "Verbs:\n"
    "  status                              server state, port and counters (--json: one object)\n"
    "  players [--group G]                 the online list, tab-separated (--json: one object)\n"
    "  events                              one line per login, logout, status, report, alert and\n"
    "                                      command as they happen, until Ctrl-C or the server\n"
    "                                      stops (--json: one JSON object a line)\n"
    "  playreport [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--group G | --player P] [--csv]\n"
    "                                      plays per player and media from Log/PlayReport.txt\n"
    "  accounts                            groups and their accounts\n"
    "  server start|stop\n"
    "  send INDEX [TEXT]                   any operator command index (0-209)\n"
    "  play | stop | reboot | format | mute | msg-off | group-status\n"
    "  volume N                            N from 1 to 15\n"
    "  video on|off\n"
    "  read-status | capacity | files | playlist   (to one --player)\n"
    "  ezplay FILE.mpl                     store and send a playlist (--group or --player)\n"
    "  autoplay FILE.mpl                   make it a group's power-up playlist (--group)\n"
    "  ticker                              build a group's ticker and send it (--group)\n"
    "  rss refresh                         refresh every RSS channel now\n"
    "  rss add --group G --url U [--title T] [--detailed]\n"
    "  picture FILE.jpg [--seconds N]      show a picture at once (Pictavo time N), to a target\n"
    "  convert-yuv IN OUT [--size WxH]     picture to zone image, locally (no LUM needed)\n"
    "  playlist make OUT.mpl MEDIA... [--picture-time N] [--transition NAME]\n"
    "          [--global-transition NAME] [--duration N] [--start HHMM] [--stop HHMM]\n"
    "          [--mute] [--download-at HHMM] [--delete-files none|format|not-in-playlist|\n"
    "          in-playlist] [--reload] [--dl-only] [--full-screen] [--zone FILE.yuv ...]\n"
    "                                      build a playlist as the Playlist Commander does\n"
    "                                      (locally, no LUM needed)\n"
    "  copy-all FILE.mpl --to MOUNTPOINT [--folder root|MEDIA|COPY|SYNC]\n"
    "                                      copy a playlist with its media to a drive, the\n"
    "                                      playlist last (locally; Ctrl+C cancels)\n"
    "  publish --site PROFILE FILE.mpl [--name NAME]\n"
    "                                      upload a playlist through a stored FTP site\n"
    "                                      (\"server data/sites.dat\" of the data folder)\n"
    "  message (--text T | --file F) [--encoding ansi|utf8] [--bg N --fg N\n"
    "          --transparency N --speed fast|normal|slow --clock on|off]\n"
    "                                      write and send an instant message; without\n"
    "                                      --encoding the last choice is used again\n"
    "  label (--line TEXT ... | --number NNN) [--colour N] [--seconds N | --always] [--centre]\n"
    "                                      write and send an on-screen label (--group)\n"
    "  schedule assign FILE.sch            make a schedule the group's auto playlist (--group)\n"
    "  autoconfig update FILE.zeb          write autoconfig.zeq, tell the players (--group or\n"
    "                                      --player; confirm with --yes)\n"
    "  backup FILE                         back up config.ini, users.dat and rssconfig.xml\n"
    "  restore FILE                        restore them (confirm with --yes)\n"
    "Commands to players need a target: --all, --group G, --player P or --mac M.\n"
    "reboot and format ask first: confirm with --yes.";

void out(const QString& s) { std::fprintf(stdout, "%s\n", s.toLocal8Bit().constData()); }
int fail(const QString& s, int code = 1) {
    std::fprintf(stderr, "lumctl: %s\n", s.toLocal8Bit().constData());
    return code;
}

void printPlayers(const QJsonArray& players) {
    out(QStringLiteral("User\tGroup\tStatus\tIP Address\tMAC Address\tLogin Time\tPlaylist\tDescription"));
    for (const auto& v : players) {
        const QJsonObject p = v.toObject();
        QStringList cells;
        for (const char* k : {"name", "group", "status", "ip", "mac", "loginTime", "playlist",
                              "description"})
            cells << p[k].toString();
        out(cells.join('\t'));
    }
}

void printAccounts(const QJsonArray& groups) {
    for (const auto& gv : groups) {
        const QJsonObject g = gv.toObject();
        out(QStringLiteral("%1\t%2\tAutoPlay %3").arg(g["name"].toString(), g["home"].toString(),
                                                       g["autoPlay"].toBool() ? "on" : "off"));
        for (const auto& uv : g["accounts"].toArray()) {
            const QJsonObject u = uv.toObject();
            out(QStringLiteral("  %1%2%3")
                    .arg(u["name"].toString(),
                         u["disabled"].toBool() ? QStringLiteral(" (disabled)") : QString(),
                         u["description"].toString().isEmpty()
                             ? QString()
                             : "\t" + u["description"].toString()));
        }
    }
}

void printStatus(const QJsonObject& s) {
    out(QStringLiteral("server\t%1").arg(s["running"].toBool() ? "running" : "stopped"));
    for (const char* k : {"version", "port", "connections", "totalConnections", "bytesSent",
                          "bytesReceived", "filesSent", "filesReceived", "sendsAborted",
                          "receivesAborted", "logins", "logouts", "alertsRaised", "alertsActive"})
        if (s.contains(k)) out(QStringLiteral("%1\t%2").arg(k).arg(s[k].toVariant().toString()));
}

// Lines written as they come: a script or log shipper reading a pipe sees each at once.
void outNow(const QByteArray& line) {
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// `lumctl events`: the subscription stays open until the server closes it (it stops) or the
// operator interrupts. Both end with exit code 0.
int streamEvents(QLocalSocket& socket, bool json) {
    QJsonObject first;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(30000)) return fail(QStringLiteral("no reply from LUM"), 2);
    }
    first = QJsonDocument::fromJson(socket.readLine()).object();
    if (!first["ok"].toBool()) return fail(first["error"].toString());

    lum::SignalPipe stop;
    QEventLoop loop;
    if (stop.install()) QObject::connect(&stop, &lum::SignalPipe::received, &loop, [&loop] { loop.quit(); });
    auto drain = [&] {
        while (socket.canReadLine()) {
            const QByteArray line = socket.readLine().trimmed();
            if (line.isEmpty()) continue;
            if (json) {
                outNow(line);
                continue;
            }
            const QJsonObject e = QJsonDocument::fromJson(line).object();
            if (e["event"].toString() == QLatin1String("dropped"))
                outNow(QStringLiteral("\tdropped\t\t\t\t%1 events not shown: lumctl read too slowly")
                           .arg(e["count"].toInteger())
                           .toLocal8Bit());
            else
                outNow(lum::fleetEventLine(e).toLocal8Bit());
        }
    };
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, drain);
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, [&] {
        drain();
        loop.quit();
    });
    drain();
    if (socket.state() == QLocalSocket::ConnectedState) loop.exec();
    return 0;
}

void printPlayReport(const QJsonObject& reply, bool csv) {
    std::vector<lum::PlayReportRow> rows;
    for (const auto& v : reply["rows"].toArray()) {
        const QJsonObject r = v.toObject();
        rows.push_back({r["mac"].toString(), r["player"].toString(), r["group"].toString(),
                        r["media"].toString(), qint64(r["plays"].toDouble()),
                        QDate::fromString(r["first"].toString(), Qt::ISODate),
                        QDate::fromString(r["last"].toString(), Qt::ISODate)});
    }
    if (csv) {
        const QByteArray bytes = lum::playReportCsv(rows);
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    } else {
        out(QStringLiteral("MAC Address\tPlayer\tGroup\tMedia\tPlays\tFirst Day\tLast Day"));
        for (const lum::PlayReportRow& r : rows)
            out(QStringList{r.mac, r.player, r.group, r.media, QString::number(r.plays),
                            r.first.toString(Qt::ISODate), r.last.toString(Qt::ISODate)}
                    .join('\t'));
    }
    const int damaged = reply["damagedLines"].toInt();
    if (damaged > 0)
        std::fprintf(stderr, "lumctl: %d damaged lines of the play report were skipped\n", damaged);
    if (reply["truncated"].toBool())
        std::fprintf(stderr, "lumctl: only the start of a very large play report was read\n");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("lumctl");
    QCoreApplication::setApplicationVersion(LUM_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Command-line operator for LUM.\n") + kVerbs);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir("data-dir", "Data folder of the running LUM.", "DIR");
    const QCommandLineOption all("all", "Target every player.");
    const QCommandLineOption group("group", "Target one group.", "NAME");
    const QCommandLineOption player("player", "Target one player.", "NAME");
    const QCommandLineOption mac("mac", "Target the online player with that MAC address.", "MAC");
    const QCommandLineOption yes("yes", "Answer Yes to the command's question (reboot, format).");
    const QCommandLineOption json("json", "Print the raw JSON reply.");
    const QCommandLineOption url("url", "Feed address (rss add).", "URL");
    const QCommandLineOption title("title", "Feed title (rss add; default: the feed's own).", "TEXT");
    const QCommandLineOption detailed("detailed", "Use the feed's descriptions (rss add).");
    const QCommandLineOption size("size", "Zone image size (convert-yuv; default: the picture's).",
                                  "WxH");
    parser.addOptions({dataDir, all, group, player, mac, yes, json, url, title, detailed, size});
    // Options of the operator-file verbs.
    const QCommandLineOption text("text", "Message text.", "TEXT");
    const QCommandLineOption file("file", "Message file to send.", "FILE");
    const QCommandLineOption encoding(
        "encoding", "Message encoding, ansi or utf8 (default: the one used last).", "ansi|utf8");
    const QCommandLineOption bg("bg", "Message background colour 0-7.", "N");
    const QCommandLineOption fg("fg", "Message text colour 0-1.", "N");
    const QCommandLineOption transparency("transparency", "Message transparency 0-4.", "N");
    const QCommandLineOption speed("speed", "Message speed: fast, normal or slow.", "SPEED");
    const QCommandLineOption clock("clock", "Message clock: on or off.", "on|off");
    const QCommandLineOption line("line", "Label line (up to 7).", "TEXT");
    const QCommandLineOption number("number", "Label number 000-999.", "NNN");
    const QCommandLineOption colour("colour", "Label text colour 0-10.", "N");
    const QCommandLineOption seconds("seconds", "Display time in seconds (picture, label).", "N");
    const QCommandLineOption always("always", "Label always on.");
    const QCommandLineOption centre("centre", "Label centred.");
    parser.addOptions({text, file, encoding, bg, fg, transparency, speed, clock, line, number, colour,
                       seconds, always, centre});
    // Options of the play report.
    const QCommandLineOption from("from", "First day of the play report.", "YYYY-MM-DD");
    const QCommandLineOption csv("csv", "Play report as CSV.");
    parser.addOptions({from, csv});
    // Options of the playlist verbs.
    const QCommandLineOption pictureTime("picture-time", "Picture play time in seconds (playlist make).", "N");
    const QCommandLineOption transition("transition", "Transition of the pictures (playlist make).", "NAME");
    const QCommandLineOption globalTransition(
        "global-transition", "Full Screen, Random or Cross Fade for every picture (playlist make).", "NAME");
    const QCommandLineOption duration("duration", "Duration/Times of every item (playlist make).", "N");
    const QCommandLineOption start("start", "Start time of every item, HHMM (playlist make).", "HHMM");
    const QCommandLineOption stop("stop", "Stop time of every item, HHMM (playlist make).", "HHMM");
    const QCommandLineOption mute("mute", "Mute sound (playlist make).");
    const QCommandLineOption downloadAt("download-at", "Download schedule, HHMM (playlist make).", "HHMM");
    const QCommandLineOption deleteFiles(
        "delete-files", "none, format, not-in-playlist or in-playlist (playlist make).", "CHOICE");
    const QCommandLineOption reload("reload", "Tick Reload on every item (playlist make).");
    const QCommandLineOption dlOnly("dl-only", "Tick D/L Only on every item (playlist make).");
    const QCommandLineOption fullScreen("full-screen", "Every item full screen (playlist make).");
    const QCommandLineOption zone("zone", "A zone image; turns Multi Zone on (playlist make).", "FILE");
    // One --to: the mount point of copy-all, the last day of playreport.
    const QCommandLineOption to("to", "Mount point (or folder) to copy to (copy-all); last day of the "
                                      "play report (playreport, YYYY-MM-DD).", "MOUNTPOINT|DAY");
    const QCommandLineOption targetFolder("folder", "root, MEDIA, COPY or SYNC (copy-all; default root).", "NAME");
    const QCommandLineOption site("site", "Profile name of a stored FTP site (publish).", "PROFILE");
    const QCommandLineOption name("name", "Remote name (publish; default: the file's).", "NAME");
    parser.addOptions({pictureTime, transition, globalTransition, duration, start, stop, mute,
                       downloadAt, deleteFiles, reload, dlOnly, fullScreen, zone, to, targetFolder, site, name});
    parser.addPositionalArgument("verb", "See the list above.");
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) return fail(QStringLiteral("no verb given (see --help)"));
    const int targets = int(parser.isSet(all)) + int(parser.isSet(group)) +
                        int(parser.isSet(player)) + int(parser.isSet(mac));
    if (targets > 1) return fail(QStringLiteral("give only one of --all, --group, --player and --mac"));

    const QString verb = args[0];
    if (verb == "convert-yuv") {
        // Local work: no running LUM needed.
        if (args.size() != 3) return fail(QStringLiteral("convert-yuv needs IN and OUT"));
        int w = 0, h = 0;
        if (parser.isSet(size)) {
            const QStringList wh = parser.value(size).split('x');
            bool okW = false, okH = false;
            if (wh.size() == 2) {
                w = wh[0].toInt(&okW);
                h = wh[1].toInt(&okH);
            }
            if (!okW || !okH || w <= 0 || h <= 0)
                return fail(QStringLiteral("--size needs WxH, e.g. 560x560"));
        }
        const qint64 written = lum::convertToYuv(args[1], args[2], w, h);
        if (written == 0) return fail(QStringLiteral("cannot write %1").arg(args[2]));
        out(QStringLiteral("%1 bytes written to %2").arg(written).arg(args[2]));
        return 0;
    }

    if (verb == "playlist" && args.size() > 1) {
        // "playlist make": local work, no running LUM needed ("playlist" alone reads a player's).
        if (args[1] != "make" || args.size() < 4)
            return fail(QStringLiteral("playlist make needs OUT.mpl and at least one media file"));
        lum::PlaylistMakeOptions o;
        for (const QString& m : args.mid(3)) o.media << QFileInfo(m).absoluteFilePath();
        for (const QString& z : parser.values(zone)) o.zones << QFileInfo(z).absoluteFilePath();
        if (parser.isSet(pictureTime)) {
            bool ok = false;
            o.pictureTime = parser.value(pictureTime).toInt(&ok);
            if (!ok) return fail(QStringLiteral("--picture-time needs a number"));
        }
        o.transition = parser.value(transition);
        o.globalTransition = parser.value(globalTransition);
        o.duration = parser.value(duration);
        o.startTime = parser.value(start);
        o.stopTime = parser.value(stop);
        o.mute = parser.isSet(mute);
        o.downloadAt = parser.value(downloadAt);
        o.deleteFiles = parser.value(deleteFiles);
        o.reload = parser.isSet(reload);
        o.dlOnly = parser.isSet(dlOnly);
        o.fullScreen = parser.isSet(fullScreen);
        QStringList errors;
        if (!lum::makePlaylist(args[2], o, &errors)) {
            for (const QString& e : errors) std::fprintf(stderr, "%s\n", e.toLocal8Bit().constData());
            return fail(QStringLiteral("%1 not written").arg(args[2]));
        }
        out(QStringLiteral("written\t%1").arg(QFileInfo(args[2]).absoluteFilePath()));
        return 0;
    }
    if (verb == "copy-all") {
        // Local work: no running LUM needed.
        if (args.size() != 2 || !parser.isSet(to))
            return fail(QStringLiteral("copy-all needs FILE.mpl and --to MOUNTPOINT"));
        const std::optional<lum::CopyAllFolder> where =
            lum::copyAllFolderByName(parser.isSet(targetFolder) ? parser.value(targetFolder) : QStringLiteral("root"));
        if (!where) return fail(QStringLiteral("--folder takes root, MEDIA, COPY or SYNC"));
        QString error;
        std::optional<lum::CopyPlan> plan = lum::copyAllPlanFor(args[1], parser.value(to), *where, &error);
        if (!plan) return fail(error);
        // The copy runs on its worker; Ctrl+C (or SIGTERM) cancels it, and then no playlist is
        // written.
        lum::CCopyJob job(std::move(*plan));
        lum::SignalPipe stopSignals;
        stopSignals.install();
        QObject::connect(&stopSignals, &lum::SignalPipe::received, &job, [&job] { job.cancel(); });
        QObject::connect(&job, &lum::CCopyJob::progress, &app,
                         [](int step, int steps, const QString& source) {
                             std::fprintf(stderr, "%s\n",
                                          lum::copyingStatusText(source, step, steps).toLocal8Bit().constData());
                         });
        lum::CopyOutcome outcome;
        QObject::connect(&job, &lum::CCopyJob::finished, &app, [&](const lum::CopyOutcome& o) {
            outcome = o;
            app.quit();
        });
        job.start();
        app.exec();
        for (const QString& f : outcome.failures) std::fprintf(stderr, "%s\n", f.toLocal8Bit().constData());
        const QString list = job.plan().finalPath;
        switch (outcome.status) {
        case lum::CopyOutcome::Status::Done:
            out(QStringLiteral("copied\t%1").arg(outcome.copied));
            out(QStringLiteral("written\t%1").arg(list));
            return 0;
        case lum::CopyOutcome::Status::Cancelled:
            return fail(QStringLiteral("cancelled: %1 was not written").arg(list));
        case lum::CopyOutcome::Status::Failed: break;
        }
        return fail(QStringLiteral("copying failed: %1 was not written").arg(list));
    }
    if (verb == "publish") {
        // Local work through the data folder's stored sites: no running LUM needed.
        if (args.size() != 2 || !parser.isSet(site))
            return fail(QStringLiteral("publish needs --site PROFILE and FILE.mpl"));
        // What the console would show in message boxes goes to the terminal.
        class StderrPrompt : public lum::IOperatorPrompt {
        public:
            void message(const QString& text, Icon) override {
                std::fprintf(stderr, "%s\n", text.trimmed().toLocal8Bit().constData());
            }
            bool askYesNo(const QString&) override { return false; }
        } prompt;
        const QString data = lum::resolveDataFolder(
            parser.value(dataDir), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
        lum::FtpProfile profile;
        QString error, remote;
        if (!lum::publishPlaylist(data, parser.value(site), QFileInfo(args[1]).absoluteFilePath(),
                                  parser.value(name), profile, prompt, &error, &remote))
            return fail(error);
        out(QStringLiteral("uploaded\t%1").arg(remote));
        return 0;
    }

    QJsonObject req{{"verb", verb}};
    QJsonObject target;
    if (parser.isSet(all)) target["all"] = true;
    if (parser.isSet(group)) target["group"] = parser.value(group);
    if (parser.isSet(player)) target["player"] = parser.value(player);
    if (parser.isSet(mac)) target["mac"] = parser.value(mac);
    if (!target.isEmpty()) req["target"] = target;
    if (parser.isSet(yes)) req["yes"] = true;

    const QString arg1 = args.value(1);
    if (verb == "playreport") {
        for (const QCommandLineOption* o : {&from, &to}) {
            if (!parser.isSet(*o)) continue;
            if (!QDate::fromString(parser.value(*o), Qt::ISODate).isValid())
                return fail(QStringLiteral("--%1 needs a date YYYY-MM-DD").arg(o->names().first()));
            req[o->names().first()] = parser.value(*o);
        }
        if (parser.isSet(all) || parser.isSet(mac))
            return fail(QStringLiteral("playreport takes --group or --player"));
        if (parser.isSet(group)) req["group"] = parser.value(group);
        if (parser.isSet(player)) req["player"] = parser.value(player);
        req.remove("target");
    } else if (verb == "events") {
        req.remove("target");
    } else if (verb == "players") {
        if (parser.isSet(group)) req["group"] = parser.value(group);
        req.remove("target");
    } else if (verb == "server") {
        if (arg1 != "start" && arg1 != "stop") return fail(QStringLiteral("server needs start or stop"));
        req["action"] = arg1;
    } else if (verb == "volume") {
        bool ok = false;
        const int level = arg1.toInt(&ok);
        if (!ok || level < 1 || level > 15) return fail(QStringLiteral("volume needs a level 1 to 15"));
        req["level"] = level;
    } else if (verb == "video") {
        if (arg1 != "on" && arg1 != "off") return fail(QStringLiteral("video needs on or off"));
        req["on"] = arg1 == "on";
    } else if (verb == "send") {
        bool ok = false;
        const int index = arg1.toInt(&ok);
        if (!ok) return fail(QStringLiteral("send needs a command index"));
        req["index"] = index;
        if (args.size() > 2) req["text"] = args.mid(2).join(' ');
    } else if (verb == "ezplay" || verb == "autoplay") {
        if (arg1.isEmpty()) return fail(QStringLiteral("%1 needs a playlist file").arg(verb));
        req["file"] = QFileInfo(arg1).absoluteFilePath();
    } else if (verb == "rss") {
        if (arg1 != "refresh" && arg1 != "add") return fail(QStringLiteral("rss needs refresh or add"));
        req["action"] = arg1;
        if (arg1 == "add") {
            if (!parser.isSet(group) || !parser.isSet(url))
                return fail(QStringLiteral("rss add needs --group and --url"));
            req["group"] = parser.value(group);
            req["url"] = parser.value(url);
            if (parser.isSet(title)) req["title"] = parser.value(title);
            if (parser.isSet(detailed)) req["detailed"] = true;
            req.remove("target");
        }
    } else if (verb == "picture") {
        if (arg1.isEmpty()) return fail(QStringLiteral("picture needs a JPEG file"));
        req["file"] = QFileInfo(arg1).absoluteFilePath();
        if (parser.isSet(seconds)) req["seconds"] = parser.value(seconds).toInt();
    } else if (verb == "message" || verb == "label") {
        // Numbers are checked by LUM; here they only have to be numbers.
        for (const QCommandLineOption* o : {&bg, &fg, &transparency, &colour, &seconds}) {
            if (!parser.isSet(*o)) continue;
            bool ok = false;
            const int n = parser.value(*o).toInt(&ok);
            if (!ok) return fail(QStringLiteral("--%1 needs a number").arg(o->names().first()));
            req[o->names().first()] = n;
        }
        if (parser.isSet(text)) req["text"] = parser.value(text);
        if (parser.isSet(file)) req["file"] = QFileInfo(parser.value(file)).absoluteFilePath();
        if (parser.isSet(encoding)) req["encoding"] = parser.value(encoding);
        if (parser.isSet(speed)) req["speed"] = parser.value(speed);
        if (parser.isSet(clock)) req["clock"] = parser.value(clock).compare("on", Qt::CaseInsensitive) == 0;
        if (parser.isSet(line)) req["lines"] = QJsonArray::fromStringList(parser.values(line));
        if (parser.isSet(number)) req["number"] = parser.value(number);
        if (parser.isSet(always)) req["always"] = true;
        if (parser.isSet(centre)) req["centre"] = true;
    } else if (verb == "schedule" || verb == "autoconfig") {
        if (args.size() < 3) return fail(QStringLiteral("%1 needs an action and a file").arg(verb));
        req["action"] = arg1;
        req["file"] = QFileInfo(args[2]).absoluteFilePath();
    } else if (verb == "backup" || verb == "restore") {
        if (arg1.isEmpty()) return fail(QStringLiteral("%1 needs a file").arg(verb));
        req["file"] = QFileInfo(arg1).absoluteFilePath();
    }

    const QString folder = lum::resolveDataFolder(
        parser.value(dataDir), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
    QLocalSocket socket;
    socket.connectToServer(lum::COperatorSocket::socketNameFor(folder));
    if (!socket.waitForConnected(3000)) {
        // A service's socket admits its own user and the data folder's group only.
        if (socket.error() == QLocalSocket::SocketAccessError)
            return fail(QStringLiteral("not allowed to reach the LUM on %1 (only its user and the "
                                       "members of the folder's group are)").arg(folder), 2);
        return fail(QStringLiteral("no LUM is running on %1 (%2)").arg(folder, socket.errorString()), 2);
    }
    socket.write(QJsonDocument(req).toJson(QJsonDocument::Compact) + '\n');
    socket.flush();
    if (verb == "events") return streamEvents(socket, parser.isSet(json));
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(30000)) return fail(QStringLiteral("no reply from LUM"), 2);
    }
    const QJsonObject reply = QJsonDocument::fromJson(socket.readLine()).object();
    if (parser.isSet(json)) {
        out(QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact)));
        return reply["ok"].toBool() ? 0 : 1;
    }
    for (const auto& m : reply["messages"].toArray()) out(m.toString());
    if (!reply["ok"].toBool()) return fail(reply["error"].toString());
    if (verb == "playreport") printPlayReport(reply, parser.isSet(csv));
    else if (reply.contains("players")) printPlayers(reply["players"].toArray());
    else if (reply.contains("groups")) printAccounts(reply["groups"].toArray());
    else if (verb == "status" || verb == "server") printStatus(reply);
    else if (verb == "ticker" || verb == "rss" || verb == "picture") {
        if (reply.contains("title")) out(QStringLiteral("title\t%1").arg(reply["title"].toString()));
        if (reply.contains("file")) out(QStringLiteral("file\t%1").arg(reply["file"].toString()));
    } else {
        if (reply.contains("playlist")) out(QStringLiteral("playlist\t%1").arg(reply["playlist"].toString()));
        for (const auto& w : reply["written"].toArray()) out(QStringLiteral("written\t%1").arg(w.toString()));
        if (verb == "autoplay") {
            // the playlist line says it all
        } else if (reply.contains("delivered")) {
            out(QStringLiteral("targeted %1, delivered %2")
                    .arg(reply["targeted"].toInt())
                    .arg(reply["delivered"].toInt()));
        } else if (reply.contains("targeted")) {  // the operator-file verbs
            out(QStringLiteral("targeted %1").arg(reply["targeted"].toInt()));
        }
    }
    return 0;
}
