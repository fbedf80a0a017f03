// Fleet health against a running lum-server: offline alerts with their command, lumctl's event
// stream and snapshots, the monitoring endpoint scraped over HTTP, and lumctl's play report.
#include "RunningServer.h"
#include "monitor/ExpositionParser.h"

#include <QDate>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace lumtest;

namespace {

class FleetHealthTest : public RunningServerTest {
protected:
    QString commandScript() const { return dir.path() + "/offline.sh"; }
    QString commandOutput() const { return dir.path() + "/offline-runs.txt"; }

    QByteArray extraConfig() const override {
        return "[ALERTS]\r\nOFFLINECOMMAND=" + commandScript().toUtf8() + "\r\n";
    }
    QStringList extraArgs() const override {
        return {"--offline-grace-ms", "3000", "--metrics", "127.0.0.1:0"};
    }
    void prepare() override {
        // One line per run with its four arguments.
        writeFile(commandScript(), "#!/bin/sh\nprintf '%s|%s|%s|%s\\n' \"$1\" \"$2\" \"$3\" \"$4\" >> '" +
                                       commandOutput().toUtf8() + "'\necho notified \"$1\"\n");
        QFile::setPermissions(commandScript(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(data + "/Log");
        writeFile(data + "/Log/PlayReport.txt",
                  "[00-11-22-33-44-55@24-05-01]\r\nclip1.mpg=3\r\nad,1.jpg=2\r\n"
                  "[00-11-22-33-44-55@24-05-02]\r\nCLIP1.mpg=4\r\nthis line is damaged\r\n"
                  "[AA-BB-CC-DD-EE-FF@24-05-02]\r\nclip1.mpg=10\r\n");
    }

    quint16 metricsPort() {
        const QRegularExpressionMatch m =
            QRegularExpression("monitoring endpoint on 127\\.0\\.0\\.1:(\\d+)").match(QString::fromLatin1(serverLog()));
        return m.hasMatch() ? quint16(m.captured(1).toUInt()) : 0;
    }

    // GET (or another verb) on the endpoint: status code and body.
    std::pair<int, QByteArray> http(const QByteArray& verb, const QString& path) {
        QNetworkAccessManager nam;
        QNetworkRequest req(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(metricsPort()).arg(path)));
        QNetworkReply* reply = nam.sendCustomRequest(req, verb);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished()) loop.exec();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray body = reply->readAll();
        reply->deleteLater();
        return {status, body};
    }

    // The value of one series of the scrape (-1 when absent); fails the test on a bad scrape.
    double metric(const QString& series) {
        const auto [status, body] = http("GET", "/metrics");
        EXPECT_EQ(status, 200);
        const ExpositionParser::Result parsed = ExpositionParser::parse(body);
        EXPECT_TRUE(parsed.errors.isEmpty()) << parsed.errors.join('\n').toStdString();
        return parsed.samples.value(series, -1);
    }

    int offlineAlerts() { return int(serverLog().count("Player offline for more than")); }
};

QList<QByteArray> nonEmptyLines(const QByteArray& text) {
    QList<QByteArray> out;
    for (const QByteArray& l : text.split('\n'))
        if (!l.trimmed().isEmpty()) out << l;
    return out;
}

}  // namespace

TEST_F(FleetHealthTest, APlayerThatStaysAwayRaisesOneAlertAndOneCommandRunAndAReturnInsideTheGraceRaisesNone) {
    ASSERT_NE(metricsPort(), 0) << serverLog().toStdString();
    EXPECT_EQ(metric("lum_alerts_raised_total"), 0);

    auto gone = std::make_unique<Player>(port);
    loginPlayer(*gone, "gone", "00-00-00-00-00-01");
    Player back(port);
    loginPlayer(back, "back", "00-00-00-00-00-02");

    // "back" leaves and returns at once; "gone" leaves after it and stays away.
    back.socket().disconnectFromHost();
    Player again(port);
    loginPlayer(again, "back", "00-00-00-00-00-02");
    gone->socket().disconnectFromHost();

    ASSERT_TRUE(waitUntil([&] { return nonEmptyLines(readFile(commandOutput())).size() >= 1; }, 30000))
        << serverLog().toStdString();
    // Once "gone" is alerted every earlier timer has run: "back" raised nothing.
    ASSERT_TRUE(waitUntil([&] { return metric("lum_alerts_raised_total") == 1; }, 10000));
    ASSERT_TRUE(waitUntil([&] { return serverLog().contains("Offline command exited with code 0: notified gone"); }, 10000));
    const QList<QByteArray> runs = nonEmptyLines(readFile(commandOutput()));
    ASSERT_EQ(runs.size(), 1);
    EXPECT_TRUE(QRegularExpression("^gone\\|Home\\|00-00-00-00-00-01\\|\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(QString::fromUtf8(runs[0])).hasMatch()) << runs[0].toStdString();
    EXPECT_EQ(offlineAlerts(), 1);
    EXPECT_EQ(metric("lum_alerts_active"), 1);

    // The snapshot marks the alerted player.
    QByteArray out;
    ASSERT_EQ(lumctl({"players", "--json"}, &out), 0) << out.toStdString();
    const QJsonArray players = QJsonDocument::fromJson(out).object()["players"].toArray();
    ASSERT_EQ(players.size(), 2);
    for (const auto& v : players) {
        const QJsonObject p = v.toObject();
        EXPECT_EQ(p["alerted"].toBool(), p["name"].toString() == "gone") << out.toStdString();
        EXPECT_EQ(p["online"].toBool(), p["name"].toString() == "back");
    }

    // Its return: a "back online" record, the alert gone; no second command run.
    Player returned(port);
    loginPlayer(returned, "gone", "00-00-00-00-00-01");
    ASSERT_TRUE(waitUntil([&] { return serverLog().contains("[gone] Player back online: group Home"); }, 10000));
    EXPECT_EQ(metric("lum_alerts_active"), 0);
    EXPECT_EQ(nonEmptyLines(readFile(commandOutput())).size(), 1);
    EXPECT_EQ(offlineAlerts(), 1);
}

TEST_F(FleetHealthTest, EventsStreamLoginStatusAndLogoutInOrderAndEndWhenTheServerStops) {
    QProcess events;
    events.setProcessEnvironment(server.processEnvironment());
    events.start(binDir() + "/lumctl", {"--data-dir", data, "events", "--json"});
    ASSERT_TRUE(events.waitForStarted());
    QProcess plain;
    plain.setProcessEnvironment(server.processEnvironment());
    plain.start(binDir() + "/lumctl", {"--data-dir", data, "events"});
    ASSERT_TRUE(plain.waitForStarted());
    QByteArray out;
    ASSERT_TRUE(waitUntil([&] {
        lumctl({"status", "--json"}, &out);
        return QJsonDocument::fromJson(out).object()["eventSubscribers"].toInt() == 2;
    }, 20000)) << out.toStdString();

    {
        Player p(port);
        loginPlayer(p, "walker", "00-AA-00-AA-00-AA");
        p.sendLine("STATUS 21 clip01.mpg");
        ASSERT_TRUE(waitUntil([&] {
            lumctl({"players"}, &out);
            return out.contains("S3:Playing");
        }, 10000)) << out.toStdString();
        ASSERT_EQ(lumctl({"play", "--player", "walker"}, &out), 0) << out.toStdString();
        p.socket().disconnectFromHost();
    }
    QByteArray stream;
    ASSERT_TRUE(waitUntil([&] {
        stream += events.readAllStandardOutput();
        return stream.contains("\"logout\"");
    }, 20000)) << stream.toStdString();

    QStringList seen;
    for (const QByteArray& line : nonEmptyLines(stream)) {
        const QJsonObject e = QJsonDocument::fromJson(line).object();
        ASSERT_FALSE(e.isEmpty()) << line.toStdString();
        EXPECT_FALSE(e["time"].toString().isEmpty());
        if (e["event"] == "command") {
            EXPECT_EQ(e["player"].toString(), "walker");
            EXPECT_EQ(e["text"].toString(), "index 4: targeted 1, delivered 1");
        } else {
            EXPECT_EQ(e["player"].toString(), "walker");
            EXPECT_EQ(e["group"].toString(), "Home");
            EXPECT_EQ(e["mac"].toString(), "00-AA-00-AA-00-AA");
        }
        seen << e["event"].toString() + (e["event"] == "status" ? ":" + e["text"].toString() : QString());
    }
    EXPECT_EQ(seen, (QStringList{"login", "status:S3:Playing", "command", "logout"}));

    // The plain form: the same events as tab-separated lines.
    QByteArray text;
    ASSERT_TRUE(waitUntil([&] {
        text += plain.readAllStandardOutput();
        return text.contains("\tlogout\t");
    }, 20000)) << text.toStdString();
    const QList<QByteArray> lines = nonEmptyLines(text);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1].split('\t').mid(1), (QList<QByteArray>{"status", "walker", "Home", "00-AA-00-AA-00-AA", "S3:Playing"}));

    // Ctrl-C ends the one; stopping the server ends the other; both cleanly.
    ::kill(pid_t(plain.processId()), SIGINT);
    ASSERT_TRUE(plain.waitForFinished(20000));
    EXPECT_EQ(plain.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(plain.exitCode(), 0);
    ::kill(pid_t(server.processId()), SIGTERM);
    ASSERT_TRUE(server.waitForFinished(30000));
    EXPECT_EQ(server.exitCode(), 0) << serverLog().toStdString();
    ASSERT_TRUE(events.waitForFinished(20000));
    EXPECT_EQ(events.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(events.exitCode(), 0) << events.readAllStandardError().toStdString();
}

TEST_F(FleetHealthTest, MetricsFollowPlayersInAndOutAndTheEndpointServesNothingElse) {
    ASSERT_NE(metricsPort(), 0) << serverLog().toStdString();
    EXPECT_EQ(metric("lum_up"), 1);
    EXPECT_EQ(metric("lum_build_info{version=\"" LUM_VERSION "\"}"), 1);
    const double known = metric("lum_players_known{group=\"Home\"}");
    EXPECT_EQ(metric("lum_players_online{group=\"Home\"}"), 0);

    {
        Player a(port), b(port);
        loginPlayer(a, "m1", "00-00-00-00-01-01");
        loginPlayer(b, "m2", "00-00-00-00-01-02");
        EXPECT_EQ(metric("lum_players_online{group=\"Home\"}"), 2);
        EXPECT_EQ(metric("lum_players_known{group=\"Home\"}"), known + 2);  // registered at login
        EXPECT_EQ(metric("lum_players_offline{group=\"Home\"}"), known);
        EXPECT_EQ(metric("lum_logins_total"), 2);
        QByteArray out;
        ASSERT_EQ(lumctl({"mute", "--all"}, &out), 0) << out.toStdString();
        EXPECT_EQ(metric("lum_commands_sent_total{index=\"17\"}"), 2);

        const auto [status, body] = http("GET", "/players");
        EXPECT_EQ(status, 200);
        const QJsonArray players = QJsonDocument::fromJson(body).array();
        EXPECT_EQ(players.size(), 2) << body.toStdString();
        EXPECT_FALSE(body.contains("password")) << body.toStdString();
        a.socket().disconnectFromHost();
        ASSERT_TRUE(waitUntil([&] { return metric("lum_players_online{group=\"Home\"}") == 1; }, 10000));
        EXPECT_EQ(metric("lum_logouts_total"), 1);
    }

    for (const auto& [verb, path] : std::vector<std::pair<QByteArray, QString>>{
             {"GET", "/"}, {"GET", "/metrics/x"}, {"GET", "/config.ini"}, {"GET", "/../config.ini"},
             {"POST", "/metrics"}, {"DELETE", "/players"}}) {
        const auto [status, body] = http(verb, path);
        EXPECT_EQ(status, 404) << verb.toStdString() << ' ' << path.toStdString();
        EXPECT_FALSE(body.contains("PORTSTART"));
    }
}

TEST_F(FleetHealthTest, PlayReportSumsThePlayersCountsFromFileAndPlayerAsCsv) {
    Player p(port);
    loginPlayer(p, "lobby1", "00-11-22-33-44-55");
    p.sendLine("ICS_PLAY_REPORT +SUM(A1),5");
    const QString report = data + "/Log/PlayReport.txt";
    ASSERT_TRUE(waitUntil([&] { return readFile(report).contains("+SUM(A1)=5"); }, 10000))
        << readFile(report).toStdString() << serverLog().toStdString();
    const QByteArray before = readFile(report);

    QProcess ctl;
    ctl.setProcessEnvironment(server.processEnvironment());
    ctl.start(binDir() + "/lumctl", {"--data-dir", data, "playreport", "--group", "Home", "--csv"});
    ASSERT_TRUE(ctl.waitForFinished(30000));
    EXPECT_EQ(ctl.exitCode(), 0) << ctl.readAllStandardError().toStdString();
    const QByteArray today = QDate::currentDate().toString(Qt::ISODate).toLatin1();
    EXPECT_EQ(ctl.readAllStandardOutput(),
              "MAC Address,Player,Group,Media,Plays,First Day,Last Day\r\n"
              "00-11-22-33-44-55,lobby1,Home,'+SUM(A1),5," + today + "," + today + "\r\n"
              "00-11-22-33-44-55,lobby1,Home,\"ad,1.jpg\",2,2024-05-01,2024-05-01\r\n"
              "00-11-22-33-44-55,lobby1,Home,clip1.mpg,7,2024-05-01,2024-05-02\r\n");
    EXPECT_EQ(ctl.readAllStandardError(), "lumctl: 1 damaged lines of the play report were skipped\n");
    EXPECT_EQ(readFile(report), before);  // reading changes nothing

    // Text form, one day, every player: the unknown MAC is listed without a name.
    QByteArray out;
    ASSERT_EQ(lumctl({"playreport", "--from", "2024-05-02", "--to", "2024-05-02"}, &out), 0);
    const QList<QByteArray> lines = nonEmptyLines(out);
    EXPECT_TRUE(lines.contains("00-11-22-33-44-55\tlobby1\tHome\tCLIP1.mpg\t4\t2024-05-02\t2024-05-02")) << out.toStdString();
    EXPECT_TRUE(lines.contains("AA-BB-CC-DD-EE-FF\t\t\tclip1.mpg\t10\t2024-05-02\t2024-05-02")) << out.toStdString();

    EXPECT_NE(lumctl({"playreport", "--from", "2024-13-01"}, &out), 0);
    EXPECT_TRUE(out.contains("--from needs a date YYYY-MM-DD")) << out.toStdString();
    EXPECT_NE(lumctl({"playreport", "--group", "Nowhere"}, &out), 0);
    EXPECT_TRUE(out.contains("unknown group 'Nowhere'")) << out.toStdString();
}
