// The exposition text: escaping, the families and their order, read back by a strict parser.
#include "monitor/Metrics.h"
#include "monitor/MonitorEndpoint.h"

#include "ExpositionParser.h"
#include "common/TestSupport.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::ExpositionParser;

TEST(Metrics, LabelValuesEscapeBackslashQuoteAndLineFeed) {
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {"Lobby", "Lobby"},
        {"a\\b", "a\\\\b"},
        {"say \"hi\"", "say \\\"hi\\\""},
        {"two\nlines", "two\\nlines"},
        {"\\\"\n", "\\\\\\\"\\n"},
        {QString::fromUtf8("大堂"), QString::fromUtf8("大堂")},
        {"tab\there, {braces}=,", "tab\there, {braces}=,"},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeLabelValue(c.in), c.out) << c.in.toStdString();
}

TEST(Metrics, ExpositionParsesAndCarriesEveryFigure) {
    MetricsSnapshot m;
    m.serverUp = true;
    m.version = "1.2.3";
    m.groups = {{"Home", 3, 1}, {"Lobby \"East\"\\\nwing", 12, 9}, {"Empty", 0, 0}};
    m.connections = 10;
    m.logins = 7;
    m.logouts = 4;
    m.bytesSent = 5'000'000'000ull;  // beyond 32 bits
    m.bytesReceived = 12;
    m.alertsRaised = 2;
    m.alertsActive = 1;
    m.commandsByIndex = {{4, 6}, {17, 1}};
    const QByteArray text = metricsExposition(m);
    const ExpositionParser::Result r = ExpositionParser::parse(text);
    ASSERT_TRUE(r.errors.isEmpty()) << r.errors.join('\n').toStdString() << text.toStdString();

    EXPECT_EQ(r.samples.value("lum_up"), 1);
    EXPECT_EQ(r.samples.value("lum_build_info{version=\"1.2.3\"}"), 1);
    EXPECT_EQ(r.samples.value("lum_bytes_sent_total"), 5e9);
    EXPECT_EQ(r.samples.value("lum_commands_sent_total{index=\"4\"}"), 6);
    EXPECT_EQ(r.samples.value("lum_commands_sent_total{index=\"17\"}"), 1);
    EXPECT_EQ(r.samples.value("lum_alerts_raised_total"), 2);
    EXPECT_EQ(r.samples.value("lum_alerts_active"), 1);
    // The awkward group name comes back as it was.
    const QString lobby = "{group=\"Lobby \\\"East\\\"\\\\\\nwing\"}";
    EXPECT_EQ(r.samples.value("lum_players_known" + lobby), 12);
    EXPECT_EQ(r.samples.value("lum_players_online" + lobby), 9);
    EXPECT_EQ(r.samples.value("lum_players_offline" + lobby), 3);
    EXPECT_EQ(r.labels.value("lum_players_known" + lobby).value("group"), "Lobby \"East\"\\\nwing");
    EXPECT_EQ(r.samples.value("lum_players_offline{group=\"Empty\"}", -1), 0);

    // Every family has help and a type, every name the prefix; counters end in _total.
    for (auto it = r.types.cbegin(); it != r.types.cend(); ++it) {
        EXPECT_TRUE(it.key().startsWith("lum_")) << it.key().toStdString();
        EXPECT_FALSE(r.help.value(it.key()).isEmpty()) << it.key().toStdString();
        if (it.value() == "counter") {
            EXPECT_TRUE(it.key().endsWith("_total")) << it.key().toStdString();
        }
    }
    EXPECT_EQ(r.types.size(), 13);
}

TEST(Metrics, TheParserRefusesWhatTheFormatForbids) {
    // The parser is what the endpoint's tests stand on: it must see these faults.
    const QByteArray bad[] = {
        "# TYPE a gauge\na{g=\"x\ny\"} 1\n",            // raw line feed in a label value
        "# TYPE a gauge\na{g=\"x\\q\"} 1\n",             // unknown escape
        "# TYPE a gauge\na{g=\"x\"} one\n",              // not a number
        "a 1\n",                                         // no TYPE
        "# TYPE a gauge\na 1\n# TYPE b gauge\nb 1\na 2\n",  // a family split
        "# TYPE a gauge\na 1\na 2\n",                    // a series twice
        "# TYPE a gauge\n# TYPE a counter\na 1\n",       // two types
        "# TYPE 1a gauge\n1a 1\n",                       // bad name
        "# TYPE a gauge\na 1",                           // no final line feed
        "# TYPE a counter\na -1\n",                      // a counter below zero
    };
    for (const QByteArray& b : bad) EXPECT_FALSE(ExpositionParser::parse(b).errors.isEmpty()) << b.toStdString();
    EXPECT_TRUE(ExpositionParser::parse("# HELP a x\n# TYPE a gauge\na{b=\"c\",d=\"\\\\\"} 1.5 1700000000\n").errors.isEmpty());
}

namespace {

std::pair<int, QByteArray> get(quint16 port, const QString& path, const QByteArray& verb = "GET",
                               QByteArray* contentType = nullptr) {
    QNetworkAccessManager nam;
    QNetworkReply* reply = nam.sendCustomRequest(
        QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path))), verb);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    if (contentType) *contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    const auto out = std::make_pair(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll());
    delete reply;
    return out;
}

}  // namespace

TEST(MonitorEndpoint, ListenAddressesAreCheckedAndAPortAloneMeansLoopback) {
    const struct {
        QString spec;
        bool ok;
        QString address;
        quint16 port;
    } cases[] = {
        {"127.0.0.1:9105", true, "127.0.0.1", 9105}, {"9105", true, "127.0.0.1", 9105},
        {":9105", true, "127.0.0.1", 9105},         {"0.0.0.0:80", true, "0.0.0.0", 80},
        {"[::1]:9105", true, "::1", 9105},          {"::1:9105", false, {}, 0},
        {"host.example:9105", false, {}, 0},        {"127.0.0.1:70000", false, {}, 0},
        {"127.0.0.1:", false, {}, 0},               {"", false, {}, 0},
    };
    for (const auto& c : cases) {
        QHostAddress a;
        quint16 p = 1;
        QString error;
        EXPECT_EQ(MonitorEndpoint::parseListen(c.spec, &a, &p, &error), c.ok) << c.spec.toStdString();
        if (!c.ok) {
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        EXPECT_EQ(a, QHostAddress(c.address)) << c.spec.toStdString();
        EXPECT_EQ(p, c.port);
    }
}

TEST(MonitorEndpoint, ServesTheTwoPathsReadOnlyAndNothingElse) {
    int scrapes = 0;
    MonitorEndpoint endpoint([&] { ++scrapes; return QByteArray("# TYPE lum_up gauge\nlum_up 1\n"); },
                             [] { return QByteArray("[{\"name\":\"p\"}]"); });
    ASSERT_TRUE(endpoint.listen("0")) ;  // a port alone: loopback, the system's choice
    EXPECT_EQ(endpoint.address(), QHostAddress(QHostAddress::LocalHost));
    ASSERT_NE(endpoint.port(), 0);

    QByteArray type;
    EXPECT_EQ(get(endpoint.port(), "/metrics", "GET", &type),
              std::make_pair(200, QByteArray("# TYPE lum_up gauge\nlum_up 1\n")));
    EXPECT_EQ(type, kMetricsContentType);
    EXPECT_EQ(get(endpoint.port(), "/players", "GET", &type), std::make_pair(200, QByteArray("[{\"name\":\"p\"}]")));
    EXPECT_EQ(type, "application/json");
    for (const char* path : {"/", "/metric", "/metrics/", "/players.json", "/%2e%2e/config.ini"})
        EXPECT_EQ(get(endpoint.port(), QString::fromLatin1(path)).first, 404) << path;
    for (const char* verb : {"POST", "PUT", "DELETE"})
        EXPECT_EQ(get(endpoint.port(), "/metrics", verb).first, 404) << verb;
    EXPECT_EQ(scrapes, 1);

    // A taken port is an error with a reason; the endpoint is then closed.
    MonitorEndpoint second([] { return QByteArray(); }, [] { return QByteArray(); });
    QString error;
    EXPECT_FALSE(second.listen(QStringLiteral("127.0.0.1:%1").arg(endpoint.port()), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(second.isListening());
    endpoint.close();
    EXPECT_FALSE(endpoint.isListening());
}
