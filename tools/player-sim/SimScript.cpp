#include "SimScript.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace lum::sim {

namespace {

bool toInt(const QString& text, int min, int max, int* out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min || v > max) return false;
    *out = v;
    return true;
}

// "LOCAL[=REMOTE]": the remote name defaults to the local file's name.
SimStep uploadStep(SimStep::Kind kind, const QString& value) {
    SimStep step;
    step.kind = kind;
    const qsizetype eq = value.indexOf('=');
    step.local = eq >= 0 ? value.left(eq) : value;
    step.remote = eq >= 0 ? value.mid(eq + 1) : QFileInfo(step.local).fileName();
    return step;
}

}  // namespace

QString usageText() {
    return QStringLiteral(
        "Usage: lum-player-sim [options] [steps]\n"
        "Simulated signage players for the LUM control server.\n"
        "\n"
        "Connection:\n"
        "  --host ADDR          server address (default 127.0.0.1)\n"
        "  --port N             control port (default 5021)\n"
        "  --discover [ADDR]    find the server by UDP first (keyword to ADDR, default --host)\n"
        "  --count N            number of players (default 1)\n"
        "  --name PATTERN       player names; %d or %03d is the number (default player%03d)\n"
        "  --password TEXT      sent when the server asks for a password\n"
        "  --same-name          every player logs in with --name as it is (e.g. anonymous)\n"
        "  --mac BASE           MAC of the first player, the next ones count up\n"
        "                       (default 02-00-00-00-00-01)\n"
        "  --passive / --active PASV (default) or PORT data connections\n"
        "  --alive SECONDS      ALIVE interval, 0 for none (default 30)\n"
        "  --alive-ms MS        ALIVE interval in milliseconds\n"
        "  --timeout SECONDS    longest wait for one answer (default 30)\n"
        "  --stagger MS         pause between player starts (default 0)\n"
        "  --save-dir DIR       downloads go to DIR/<player>/\n"
        "  --no-quit            disconnect at the end instead of QUIT\n"
        "  -v, --verbose        also print the lines sent\n"
        "  -q, --quiet          print only failures and the summary\n"
        "  --measure            also print timings as JSON lines (login, ALIVE round trip,\n"
        "                       command arrival, each transfer); implies --quiet\n"
        "  -h, --help           this text\n"
        "  --version            the version number\n"
        "\n"
        "Answers to operator commands (on by default):\n"
        "  --no-respond         only print the command lines\n"
        "  --hold               after each STATUS of an answer wait for a line on standard\n"
        "                       input (end of input stops holding)\n"
        "  --restart-ms MS      pause before reconnecting after 610 (default 1000)\n"
        "  --ftp                talk to a standard FTP server (TYPE I, no MAC report or ALIVE,\n"
        "                       150/226 replies); for comparisons\n"
        "\n"
        "Steps, run in order by every player ({player} and {mac} are filled in):\n"
        "  --list PATH          LIST (\"\" for the current directory)\n"
        "  --nlst PATH          NLST\n"
        "  --rest N             REST N before the next --fetch\n"
        "  --fetch REMOTE       RETR\n"
        "  --upload LOCAL[=REMOTE]   STOR\n"
        "  --append LOCAL[=REMOTE]   APPE\n"
        "  --cmd LINE           send a line and wait for its reply (fails on 4xx/5xx)\n"
        "  --send LINE          send a line that has no reply (e.g. STATUS 21)\n"
        "  --stay SECONDS       stay connected (ALIVE goes on)\n"
        "\n"
        "Exit code 0 when every player did every step.\n");
}

bool parseArguments(const QStringList& args, SimRunOptions* out, QString* error) {
    SimRunOptions o;
    qint64 pendingRest = -1;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString* v) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            *v = args[++i];
            return true;
        };
        auto number = [&](int min, int max, int* v) {
            QString text;
            if (!value(&text)) return false;
            if (!toInt(text, min, max, v)) {
                *error = QStringLiteral("%1: bad number '%2'").arg(a, text);
                return false;
            }
            return true;
        };
        QString v;
        int n = 0;
        if (a == "--host") {
            if (!value(&o.host)) return false;
        } else if (a == "--port") {
            if (!number(1, 65535, &n)) return false;
            o.port = static_cast<quint16>(n);
        } else if (a == "--discover") {
            o.discover = true;
            if (i + 1 < args.size() && !args[i + 1].startsWith('-')) o.discoverTarget = args[++i];
        } else if (a == "--count") {
            if (!number(1, 100000, &o.count)) return false;
        } else if (a == "--name") {
            if (!value(&o.namePattern)) return false;
        } else if (a == "--same-name") {
            o.sameName = true;
        } else if (a == "--password") {
            if (!value(&o.password)) return false;
        } else if (a == "--mac") {
            if (!value(&o.macBase)) return false;
            QString probe;
            if (!macForIndex(o.macBase, 1, &probe)) {
                *error = QStringLiteral("--mac: not a MAC address '%1'").arg(o.macBase);
                return false;
            }
        } else if (a == "--passive") {
            o.passive = true;
        } else if (a == "--active") {
            o.passive = false;
        } else if (a == "--alive") {
            if (!number(0, 86400, &n)) return false;
            o.aliveMs = n * 1000;
        } else if (a == "--alive-ms") {
            if (!number(0, 86400000, &o.aliveMs)) return false;
        } else if (a == "--no-respond") {
            o.respond = false;
        } else if (a == "--hold") {
            o.hold = true;
        } else if (a == "--restart-ms") {
            if (!number(0, 600000, &o.restartMs)) return false;
        } else if (a == "--ftp") {
            o.plainFtp = true;
        } else if (a == "--measure") {
            o.measure = true;
            o.quiet = true;
        } else if (a == "--timeout") {
            if (!number(1, 86400, &n)) return false;
            o.timeoutMs = n * 1000;
        } else if (a == "--stagger") {
            if (!number(0, 600000, &o.staggerMs)) return false;
        } else if (a == "--save-dir") {
            if (!value(&o.saveDir)) return false;
        } else if (a == "--no-quit") {
            o.quit = false;
        } else if (a == "-v" || a == "--verbose") {
            o.verbose = true;
        } else if (a == "-q" || a == "--quiet") {
            o.quiet = true;
        } else if (a == "--list" || a == "--nlst") {
            SimStep s;
            s.kind = a == "--list" ? SimStep::Kind::List : SimStep::Kind::Nlst;
            if (!value(&s.remote)) return false;
            o.steps.push_back(s);
        } else if (a == "--rest") {
            if (!value(&v)) return false;
            bool ok = false;
            pendingRest = v.toLongLong(&ok);
            if (!ok || pendingRest < 0) {
                *error = QStringLiteral("--rest: bad offset '%1'").arg(v);
                return false;
            }
        } else if (a == "--fetch") {
            SimStep s;
            s.kind = SimStep::Kind::Retr;
            if (!value(&s.remote)) return false;
            s.rest = pendingRest;
            pendingRest = -1;
            o.steps.push_back(s);
        } else if (a == "--upload" || a == "--append") {
            if (!value(&v)) return false;
            const SimStep s =
                uploadStep(a == "--upload" ? SimStep::Kind::Stor : SimStep::Kind::Appe, v);
            if (s.local.isEmpty() || s.remote.isEmpty()) {
                *error = QStringLiteral("%1: needs LOCAL[=REMOTE]").arg(a);
                return false;
            }
            if (!QFileInfo(s.local).isFile()) {
                *error = QStringLiteral("%1: no such file '%2'").arg(a, s.local);
                return false;
            }
            o.steps.push_back(s);
        } else if (a == "--cmd" || a == "--send") {
            SimStep s;
            s.kind = a == "--cmd" ? SimStep::Kind::Command : SimStep::Kind::Send;
            if (!value(&s.text)) return false;
            if (s.text.contains('\r') || s.text.contains('\n')) {
                *error = QStringLiteral("%1: one line only").arg(a);
                return false;
            }
            o.steps.push_back(s);
        } else if (a == "--stay") {
            SimStep s;
            s.kind = SimStep::Kind::Stay;
            if (!number(0, 86400 * 7, &s.seconds)) return false;
            o.steps.push_back(s);
        } else {
            *error = QStringLiteral("unknown option '%1'").arg(a);
            return false;
        }
    }
    if (pendingRest >= 0) {
        *error = QStringLiteral("--rest must come before a --fetch");
        return false;
    }
    *out = o;
    return true;
}

QString playerName(const QString& pattern, int index, int count) {
    static const QRegularExpression number(QStringLiteral("%(0?)(\\d*)d"));
    const auto m = number.match(pattern);
    if (!m.hasMatch()) return count > 1 ? pattern + QString::number(index) : pattern;
    const int width = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    const QChar fill = m.captured(1).isEmpty() ? QLatin1Char(' ') : QLatin1Char('0');
    QString out = pattern;
    out.replace(m.capturedStart(), m.capturedLength(),
                QStringLiteral("%1").arg(index, width, 10, fill));
    return out;
}

bool macForIndex(const QString& base, int index, QString* out) {
    const QStringList parts = base.split(QRegularExpression(QStringLiteral("[-:]")));
    if (parts.size() != 6) return false;
    quint64 value = 0;
    for (const QString& p : parts) {
        bool ok = false;
        const uint b = p.toUInt(&ok, 16);
        if (!ok || p.size() != 2 || b > 255) return false;
        value = (value << 8) | b;
    }
    value = (value + static_cast<quint64>(index - 1)) & 0xFFFFFFFFFFFFull;
    QStringList bytes;
    for (int shift = 40; shift >= 0; shift -= 8)
        bytes << QStringLiteral("%1").arg((value >> shift) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    *out = bytes.join('-');
    return true;
}

std::vector<SimPlayerConfig> makePlayers(const SimRunOptions& o) {
    std::vector<SimPlayerConfig> players;
    for (int i = 1; i <= o.count; ++i) {
        SimPlayerConfig c;
        c.host = o.host;
        c.port = o.port;
        c.user = o.sameName ? o.namePattern : playerName(o.namePattern, i, o.count);
        c.password = o.password;
        macForIndex(o.macBase, i, &c.mac);
        c.passive = o.passive;
        c.aliveMs = o.aliveMs;
        c.respond = o.respond;
        c.holdAfterStatus = o.hold;
        c.restartMs = o.restartMs;
        c.plainFtp = o.plainFtp;
        c.keepData = false;  // the tool prints sizes; --save-dir keeps the files
        c.timeoutMs = o.timeoutMs;
        if (!o.saveDir.isEmpty()) c.saveDir = QDir(o.saveDir).filePath(c.user);
        c.quit = o.quit;
        c.steps = o.steps;
        players.push_back(std::move(c));
    }
    return players;
}

}  // namespace lum::sim
