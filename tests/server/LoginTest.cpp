// Login, parsing and the simple commands over a real control connection.

#include "ServerFixture.h"

using namespace lumtest;

namespace {

class LoginTest : public ServerTest {};

class RegistrationTest : public ServerTest {
protected:
    void configure() override { server->SetMaxPerAddress(3); }
    // Logs in from `from` and leaves; the reply to USER.
    QByteArray loginOnce(const QByteArray& name, const QString& from) {
        QByteArray reply;
        {
            Player p(port, from);
            reply = p.login(name);
        }
        waitUntil([&] { return server->CurrentConnections() == 0; });
        return reply;
    }
};

class PasswordLoginTest : public ServerTest {
protected:
    void configure() override {
        server->SetPasswordCheck(true);
        lum::PlayerAccountInfo a;
        a.name = QStringLiteral("alice");
        a.password = QStringLiteral("pw12");
        a.group = QStringLiteral("Home");
        accounts.addUser(a);
        a.name = QStringLiteral("open");
        a.password.clear();
        accounts.addUser(a);
        a.name = QStringLiteral("off");
        a.password = QStringLiteral("pw");
        a.disabled = true;
        accounts.addUser(a);
    }
};

}  // namespace

TEST_F(LoginTest, GreetingAndUserAloneLogsInAndRegistersUnknownName) {
    Player p(port);
    EXPECT_EQ(p.line(), "220 ");
    EXPECT_EQ(p.command("USER newbie"), "230 User successfully logged in group [Home].");
    EXPECT_TRUE(accounts.hasUser(QStringLiteral("newbie")));
    EXPECT_TRUE(waitUntil([&] { return observer.get(observer.registered).contains("newbie/Home"); }));
    lum::CUserStore reread(dir.path());  // and it is in users.dat
    ASSERT_EQ(reread.Load(), 1);
    lum::CUser u;
    ASSERT_TRUE(reread.FindUser(QStringLiteral("NEWBIE"), nullptr, &u, 0));
    EXPECT_EQ(u.group, QStringLiteral("Home"));
    EXPECT_TRUE(u.password.isEmpty());
    // A blank ends the name; what follows is not used.
    Player q(port);
    EXPECT_EQ(q.login("other extra words"), "230 User successfully logged in group [Home].");
    EXPECT_TRUE(accounts.hasUser(QStringLiteral("other")));
}

TEST_F(LoginTest, BeforeLoginOnlyUserAndPassRun) {
    Player p(port);
    p.line();
    EXPECT_EQ(p.command("NOOP"), "530 Please login with USER and PASS.");
    EXPECT_EQ(p.command("FOO"), "530 Please login with USER and PASS.");
    EXPECT_EQ(p.command("RETR"), "501 Syntax error: Invalid number of parameters.");
    EXPECT_EQ(p.command("PASS x"), "503 Login with USER first.");
    EXPECT_EQ(p.command("user bob"), "230 User successfully logged in group [Home].");
    EXPECT_EQ(p.command("FOO"), "502 Command not implemented - Try HELP.");
    EXPECT_EQ(p.command("noop"), "200 OK");
    EXPECT_EQ(p.command("SYST"), "215 UNIX emulated by ZEB Internet Control Server.");
    EXPECT_EQ(p.command("TYPE I"), "200 Type set to I");
    EXPECT_EQ(p.command("xpwd"), "257 \"/\" is current directory.");
    EXPECT_EQ(p.command("ALIVE"), "601 Server ALIVE Ack");
    EXPECT_EQ(p.command("CLIENT_STATUS_DONE"), "200 ACK ok");
    EXPECT_EQ(p.command("ICS_GET_VERSION 1.2"), "502 Command not implemented - Try HELP.");
    // A line that carries telnet bytes before ABOR still aborts.
    EXPECT_EQ(p.command("\xff\xf4\xff\xf2" "ABOR"), "226 ABOR command successful.");
    EXPECT_EQ(p.command("QUIT"), "220 ");
    EXPECT_TRUE(p.waitClosed());
}

TEST_F(LoginTest, LinesAreFramedByCrLfOnly) {
    Player p(port);
    p.line();
    // Two commands in one write run in order; empty lines are dropped; a partial line waits.
    p.send("USER bob\r\n\r\n\r\nNOOP\r\nSY");
    EXPECT_EQ(p.line(), "230 User successfully logged in group [Home].");
    EXPECT_EQ(p.line(), "200 OK");
    EXPECT_TRUE(p.silent());
    p.send("ST\r\n");
    EXPECT_EQ(p.line(), "215 UNIX emulated by ZEB Internet Control Server.");
    // A bare LF does not end a line: this is one unknown command word.
    p.send("NOOP\nNOOP\r\n");
    EXPECT_EQ(p.line(), "502 Command not implemented - Try HELP.");
}

TEST_F(LoginTest, HelpListsTheTableInRowsOfFour) {
    Player p(port);
    p.login("bob");
    p.sendLine("HELP");
    EXPECT_EQ(p.line(), "214-The following commands are recognized:");
    EXPECT_EQ(p.line(), "ABOR\tAPPE\tBYE\tCDUP");
    QByteArray last;
    for (int i = 0; i < 11; ++i) last = p.line();
    EXPECT_EQ(last, "ICS_GET_PREPORT_DONE\tICS_PLAY_REPORT\t");
    EXPECT_EQ(p.line(), "214 HELP command successful.");
    EXPECT_EQ(p.command("HELP cwd"), "214 Change working directory: CWD [directory-name]");
    EXPECT_EQ(p.command("HELP type"), "214 Set filetype: TYPE [A | I]");
    EXPECT_EQ(p.command("HELP nothing"), "501 Unknown command nothing");
}

TEST_F(LoginTest, BadUserNamesAreRefusedAndNeverRegistered) {
    for (const QByteArray& name : {QByteArray("../x"), QByteArray("a\\b"), QByteArray("[x]"),
                                  QByteArray(65, 'n')}) {
        Player p(port);
        EXPECT_EQ(p.login(name), "220 Invalid User, you've been kicked out") << name.constData();
        EXPECT_TRUE(p.waitClosed());
    }
    EXPECT_FALSE(accounts.hasUser(QStringLiteral("../x")));
    EXPECT_FALSE(accounts.hasUser(QStringLiteral("[x]")));
    Player ok(port);
    EXPECT_EQ(ok.login(QByteArray(64, 'n')), "230 User successfully logged in group [Home].");
}

TEST_F(LoginTest, ControlCharactersInAnArgumentAreRefused) {
    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command("MKD a\x01" "b"), "501 Syntax error: Invalid number of parameters.");
    EXPECT_EQ(p.command("CWD x\ny"), "501 Syntax error: Invalid number of parameters.");
    EXPECT_EQ(p.command("TYPE A\rB"), "501 Syntax error: Invalid number of parameters.");
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("a\x01" "b"))));
    EXPECT_EQ(p.command("NOOP"), "200 OK");
    for (const auto& e : sink.entries()) EXPECT_FALSE(e.text.contains(QLatin1Char('\n')));
}

TEST_F(LoginTest, OverlongLineEndsTheConnectionAndIsNeverRun) {
    Player p(port);
    p.login("bob");
    // 4096 bytes with CR LF is the most a line may hold.
    EXPECT_EQ(p.command("NOOP " + QByteArray(4096 - 7, 'x')), "200 OK");
    p.send("MKD " + QByteArray(4200, 'y') + "\r\n");
    EXPECT_EQ(p.line(), "500 Command line too long.");
    EXPECT_TRUE(p.waitClosed());
    EXPECT_TRUE(QDir(home).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(PasswordLoginTest, PasswordRules) {
    {
        Player p(port);
        EXPECT_EQ(p.login("ALICE"), "331 Password required for ALICE");
        EXPECT_EQ(p.command("PASS pw12"), "230 User successfully logged in group [Home]");
        EXPECT_EQ(p.command("NOOP"), "200 OK");
    }
    {
        Player p(port);
        p.login("alice");
        EXPECT_EQ(p.command("PASS PW12"), "220 Invalid Password, check your password and re-login");
        EXPECT_TRUE(p.waitClosed());
    }
    {
        Player p(port);  // an empty stored password accepts anything
        EXPECT_EQ(p.login("open"), "331 Password required for open");
        EXPECT_EQ(p.command("PASS whatever"), "230 User successfully logged in group [Home]");
    }
    {
        Player p(port);  // a disabled account is refused at USER
        EXPECT_EQ(p.login("off"), "220 Invalid User, you've been kicked out");
        EXPECT_TRUE(p.waitClosed());
    }
    {
        Player p(port);  // still awaiting the password: other commands are refused
        p.login("alice");
        EXPECT_EQ(p.command("PWD"), "530 Please login with USER and PASS.");
    }
}

TEST_F(LoginTest, RepliesAreLoggedByTheQuietRule) {
    Player p(port);
    p.login("bob");
    p.command("NOOP");
    p.command("ALIVE");
    p.command("CWD nowhere");
    p.command("RNTO x");
    EXPECT_TRUE(waitUntil([&] { return sink.contains("[bob] 503 Bad sequence of commands."); }));
    EXPECT_FALSE(sink.anyContains("200 OK"));
    EXPECT_FALSE(sink.anyContains("601 Server ALIVE Ack"));
    EXPECT_FALSE(sink.anyContains("Directory not found"));  // 550 is quiet
    EXPECT_TRUE(sink.contains("[bob] 230 User successfully logged in group [Home]."));
}

TEST_F(LoginTest, LogLevelTwoLogsEveryReplyButAlive) {
    server->SetLogLevel(2);
    Player p(port);
    p.login("bob");
    p.sendLine("MKD d");
    p.line();
    p.command("NOOP");
    p.command("alive");
    p.command("RNTO x");
    EXPECT_TRUE(waitUntil([&] { return sink.contains("[bob] 503 Bad sequence of commands."); }));
    EXPECT_TRUE(sink.contains("[bob] 200 OK"));
    EXPECT_TRUE(sink.contains("[] 220 "));
    EXPECT_FALSE(sink.anyContains("601 Server ALIVE Ack"));
}

TEST_F(LoginTest, MacReportReachesTheObserverAndTheLogColumn) {
    Player p(port);
    p.login("bob");
    p.sendLine("ICS_GET_MAC_ADDR 00-11-22-33-44-55");
    p.command("RNTO x");
    EXPECT_TRUE(waitUntil([&] { return observer.get(observer.loggedIn).size() == 1; }));
    EXPECT_TRUE(observer.get(observer.loggedIn).at(0).endsWith(" bob 127.0.0.1 00-11-22-33-44-55"));
    bool keyed = false;
    for (const auto& e : sink.entries())
        keyed |= e.key == QLatin1String("00-11-22-33-44-55") && e.text.startsWith("[bob] 503");
    EXPECT_TRUE(keyed);
}

TEST_F(LoginTest, PlayerMessagesReplyAndNotify) {
    Player p(port);
    p.login("bob");
    p.sendLine("ICS_GET_MAC_ADDR 00-11-22-33-44-55");
    EXPECT_EQ(p.command("ICS_GET_PLAYLIST_DONE 1,x"), "Done");
    EXPECT_EQ(p.command("ICS_GET_PLAYLIST_DONE 0,7,y,rest"), "Done");
    EXPECT_EQ(p.command("ICS_DOWNLOAD_DONE"), "Download Done");
    EXPECT_EQ(p.command("ICS_SEND_INSTANT_MSG_DONE"), "Succeeded in sending Instant Message ");
    EXPECT_EQ(p.command("ICS_STOP_INSTANT_MSG_DONE"), "Instant Message Stoped");
    p.sendLine("STATUS 17 clip01.mpg");
    p.sendLine("IN_PROCESSING");
    p.sendLine("ICS_PLAY_REPORT clip01.mpg,3");
    p.sendLine("ICS_PLAY_REPORT clip01.mpg,4");
    EXPECT_EQ(p.command("ALIVE"), "601 Server ALIVE Ack");
    EXPECT_TRUE(waitUntil([&] { return observer.get(observer.events).size() == 3; }));
    const QStringList events = observer.get(observer.events);
    EXPECT_EQ(events.value(0), QStringLiteral("1004 00-11-22-33-44-55 bob"));
    EXPECT_EQ(events.value(1), QStringLiteral("1005 00-11-22-33-44-55 Alive"));
    EXPECT_EQ(events.value(2), QStringLiteral("1005 00-11-22-33-44-55 S3:Playing clip01.mpg"));
    EXPECT_TRUE(readFile(dir.path() + QStringLiteral("/Log/PlayReport.txt")).contains("clip01.mpg=7"));
    // Code 27: the player restarts; the connection ends.
    p.sendLine("STATUS 27");
    EXPECT_TRUE(p.waitClosed());
    EXPECT_TRUE(sink.contains(QStringLiteral("[bob] Client is restarting...")));
}

TEST_F(LoginTest, OperatorCommandsRunOnTheConnectionThread) {
    Player p(port);
    p.login("bob");
    const auto ids = server->ConnectionIds();
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_TRUE(server->PostThreadCommand(ids[0], lum::CommandIndex(25)));
    EXPECT_EQ(p.line(), "627 Volume Control");
    EXPECT_TRUE(server->PostThreadCommand(ids[0], lum::CommandIndex(100)));  // nothing is sent for it
    EXPECT_TRUE(server->PostThreadCommand(ids[0], lum::CommandIndex(205)));
    EXPECT_EQ(p.line(), "658 Input Keys");
    EXPECT_TRUE(server->PostThreadCommand(ids[0], lum::CommandIndex(38)));
    EXPECT_EQ(p.line(), "640 Shutdown Client");
    EXPECT_TRUE(p.waitClosed());
    EXPECT_TRUE(waitUntil([&] { return server->ConnectionIds().empty(); }));
    EXPECT_FALSE(server->PostThreadCommand(ids[0], lum::CommandIndex(2)));
}

namespace {
class MacHandoutTest : public ServerTest {
protected:
    void configure() override {
        lum::MacRange range;
        range.enabled = true;
        range.first = QStringLiteral("00-11-22-33-44-FE");
        range.count = 5;
        server->SetMacRange(range);
        QDir().mkpath(dir.path() + QStringLiteral("/Log"));
    }
};
}  // namespace

TEST_F(MacHandoutTest, StorageReportHandsOutTheNextAddress) {
    Player a(port), b(port);
    a.login("a");
    b.login("b");
    a.sendLine("ICS_GET_MAC_ADDR 02-00-00-00-00-01");
    a.sendLine("ICS_GET_STORAGE_INFO_DONE 1024,512");
    EXPECT_EQ(a.line(), "643 00-11-22-33-44-FE");
    b.sendLine("ICS_GET_STORAGE_INFO_DONE x");
    EXPECT_EQ(b.line(), "643 00-11-22-33-44-FF");
    EXPECT_EQ(readFile(dir.path() + QStringLiteral("/Log/Mac.txt")),
              "00-11-22-33-44-FE\r\n00-11-22-33-44-FF\r\n");
    EXPECT_TRUE(waitUntil([&] { return sink.contains(QStringLiteral("[a] 1024,512")); }));
}

TEST_F(RegistrationTest, NewNamesFromOneAddressComeAtABoundedRate) {
    const QString host = QStringLiteral("127.0.0.2");
    for (const QByteArray name : {"new0", "new1", "new2"})
        EXPECT_EQ(loginOnce(name, host), "230 User successfully logged in group [Home].");
    EXPECT_EQ(loginOnce("new3", host), "220 Invalid User, you've been kicked out");
    EXPECT_FALSE(accounts.hasUser(QStringLiteral("new3")));
    EXPECT_TRUE(sink.contains(
        "New account new3 from 127.0.0.2 refused: too many new names from this address."));
    // Known names still log in from there, and other hosts still register.
    EXPECT_EQ(loginOnce("NEW1", host), "230 User successfully logged in group [Home].");
    EXPECT_EQ(loginOnce("other", QStringLiteral("127.0.0.3")),
              "230 User successfully logged in group [Home].");
    // The share is per window of time.
    server->SetRegistrationWindow(1);
    EXPECT_TRUE(waitUntil([&] {
        return loginOnce("new3", host) == "230 User successfully logged in group [Home].";
    }));
}

TEST_F(LoginTest, WithAutoRegisterOffUnknownNamesAreRefused) {
    Player known(port);
    ASSERT_EQ(known.login("known"), "230 User successfully logged in group [Home].");
    server->SetAutoRegister(false);
    Player stranger(port);
    EXPECT_EQ(stranger.login("stranger"), "220 Invalid User, you've been kicked out");
    EXPECT_TRUE(stranger.waitClosed());
    EXPECT_FALSE(accounts.hasUser(QStringLiteral("stranger")));
    EXPECT_TRUE(sink.contains("New account stranger from 127.0.0.1 refused: AUTOREGISTER is off."));
    Player again(port);
    EXPECT_EQ(again.login("KNOWN"), "230 User successfully logged in group [Home].");
}

TEST_F(LoginTest, OnlyAddressesAndOnlyAFewOfThemNameAPlayer) {
    Player p(port);
    p.login("bob");
    for (const QByteArray junk : {"../../evil", "[x]=y", "00-11-22-33-44", "00-11-22-33-44-5G"})
        p.sendLine("ICS_GET_MAC_ADDR " + junk);
    for (int i = 1; i <= 6; ++i) p.sendLine("ICS_GET_MAC_ADDR 02-00-00-00-00-0" + QByteArray::number(i));
    EXPECT_EQ(p.command("NOOP"), "200 OK");
    const QStringList taken = observer.get(observer.loggedIn);
    ASSERT_EQ(taken.size(), 4);
    EXPECT_TRUE(taken.last().endsWith(" bob 127.0.0.1 02-00-00-00-00-04"));
    EXPECT_TRUE(sink.contains("[bob] MAC report ignored, not an address: ../../evil"));
    EXPECT_TRUE(sink.contains(
        "[bob] MAC report ignored, the connection changed its address too often: 02-00-00-00-00-05"));
}
