#pragma once
// A built lum-server running on a temporary data folder, with lumctl and players to talk to it.

#include "common/TestSupport.h"
#include "server/ServerTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>

namespace lumtest {

class RunningServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(binDir().isEmpty()) << "LUM_BIN_DIR is not set";
        data = dir.path() + "/data";
        QDir().mkpath(data);
        ASSERT_TRUE(writeFile(data + "/config.ini",
                              QStringLiteral("[SERVER]\r\nPORTSTART=%1\r\n")
                                      .arg(randomPassiveStart())
                                      .toLatin1() +
                                  extraConfig()));
        prepare();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path() + "/xdg");
        env.insert("HOME", dir.path());  // the profile (QSettings) stays in the test folder
        server.setProcessEnvironment(env);
        server.setReadChannel(QProcess::StandardError);
        // The server takes a free port itself: a port chosen here and bound later could be
        // taken in between by a test running beside this one.
        server.start(binDir() + "/lum-server",
                     QStringList{"--data-dir", data, "--port", "0"} + extraArgs());
        ASSERT_TRUE(server.waitForStarted());
        while (!log.contains("running")) {
            ASSERT_TRUE(server.waitForReadyRead(30000)) << log.toStdString();
            log += server.readAllStandardError();
        }
        const QRegularExpressionMatch m =
            QRegularExpression("listening on port (\\d+)").match(QString::fromLatin1(log));
        ASSERT_TRUE(m.hasMatch()) << log.toStdString();
        port = quint16(m.captured(1).toUInt());
    }
    void TearDown() override {
        if (server.state() == QProcess::NotRunning) return;  // never started: nothing to stop
        ::kill(pid_t(server.processId()), SIGTERM);
        server.waitForFinished(30000);
        // Whatever the test did, the server went on to a clean stop (a sanitizer build reports
        // and aborts on the first fault).
        EXPECT_EQ(server.exitStatus(), QProcess::NormalExit) << serverLog().toStdString();
        EXPECT_EQ(server.exitCode(), 0) << serverLog().toStdString();
        EXPECT_FALSE(serverLog().contains("runtime error:")) << log.toStdString();
    }
    // More lines for the "SERVER" section of config.ini (or sections of their own after it).
    virtual QByteArray extraConfig() const { return {}; }
    // More arguments of lum-server.
    virtual QStringList extraArgs() const { return {}; }
    // Runs before the server starts (files of the data folder).
    virtual void prepare() {}

    // What the server wrote to stderr so far.
    QByteArray serverLog() {
        log += server.readAllStandardError();
        return log;
    }
    bool serverRuns() const { return server.state() == QProcess::Running; }

    // Runs lumctl on the data folder; its exit code, output in `out`.
    int lumctl(const QStringList& args, QByteArray* out = nullptr) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setProcessEnvironment(server.processEnvironment());
        p.start(binDir() + "/lumctl", QStringList{"--data-dir", data} + args);
        p.waitForFinished(60000);
        if (out) *out = p.readAll();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // A logged-in player that reported its MAC and is listed.
    void loginPlayer(Player& p, const QByteArray& name, const QByteArray& mac) {
        ASSERT_EQ(p.login(name), "230 User successfully logged in group [Home].");
        p.sendLine("ICS_GET_MAC_ADDR " + mac);
        QByteArray out;
        ASSERT_TRUE(waitUntil([&] {
            lumctl({"players"}, &out);
            return out.contains(mac);
        }, 10000)) << out.toStdString();
    }

    // RETR over a passive connection; the file's bytes, or the refusal in angle brackets.
    QByteArray fetch(Player& p, const QByteArray& name) {
        const quint16 dataPort = p.pasv();
        QTcpSocket s;
        if (!connectData(s, dataPort)) return "<no data connection>";
        p.sendLine("RETR " + name);
        const QByteArray reply = p.line();
        if (!reply.startsWith("1")) return "<" + reply + ">";  // 125 or 150
        return readAllFrom(s);
    }

    // STOR (or APPE) over a passive connection; the reply to the command.
    QByteArray upload(Player& p, const QByteArray& command, const QByteArray& bytes) {
        QTcpSocket s;
        if (!connectData(s, p.pasv())) return "<no data connection>";
        const QByteArray reply = p.command(command);
        if (reply.startsWith("1")) {
            s.write(bytes);
            waitUntil([&] { return s.bytesToWrite() == 0; }, 30000);
            s.disconnectFromHost();
            waitUntil([&] { return s.state() == QAbstractSocket::UnconnectedState; });
        }
        return reply;
    }

    QTemporaryDir dir;
    QString data;
    quint16 port = 0;
    QProcess server;
    QByteArray log;
};

}  // namespace lumtest
