// The command interpreter of the control connection: parsing, login, directory and file
// commands, and the player messages that need nothing beyond this connection.

#include "core/Codepage.h"
#include "core/IniFile.h"
#include "core/LogSink.h"
#include "server/CommandTable.h"
#include "server/ConnectThread.h"
#include "server/ControlServer.h"
#include "server/ControlSocket.h"
#include "server/ServerTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace lum {

namespace {

QString tr1(const char* fmt, const QString& a) { return QString::fromLatin1(fmt).arg(a); }

// REST's marker: the atol reading of the argument, refused when it does not fit the reply's
// signed 32 bits or is negative, instead of wrapping.
bool parseRestartOffset(const QByteArray& arg, qint32* out) {
    int i = 0;
    while (i < arg.size() && (arg[i] == ' ' || arg[i] == '\t')) ++i;
    bool negative = false;
    if (i < arg.size() && (arg[i] == '+' || arg[i] == '-')) negative = arg[i++] == '-';
    qint64 v = 0;
    for (; i < arg.size() && arg[i] >= '0' && arg[i] <= '9'; ++i) {
        v = v * 10 + (arg[i] - '0');
        if (v > std::numeric_limits<qint32>::max()) return false;
    }
    if (negative && v != 0) return false;
    *out = qint32(v);
    return true;
}

// User names reach file names and log lines: refuse what could break either.
bool isAcceptableUserName(const QString& name) {
    if (name.isEmpty() || toAnsi(name).size() > 64) return false;
    for (QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('[') ||
            c == QLatin1Char(']') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

}  // namespace

void CControlSocket::Dispatch() {
    if (commandQueue_.isEmpty()) return;
    const QByteArray line = commandQueue_.takeFirst();
    const ParsedLine p = parseCommandLine(line);
    if (p.word.isEmpty()) return;
    const int id = findCommand(p.word);
    if (id >= 0) {
        if (commandEntry(id).argumentRequired && p.argument.isEmpty()) {
            SendReply(QString::fromLatin1(server_texts::kSyntaxError));
            return;
        }
        if (hasControlCharacter(p.argument)) {
            SendReply(QString::fromLatin1(server_texts::kSyntaxError));
            return;
        }
    }
    if (id != kCmdUSER && id != kCmdPASS && status_ == AwaitingLogin) {
        SendReply(QString::fromLatin1(server_texts::kPleaseLogin));
        return;
    }
    if (id < 0) {
        SendReply(QString::fromLatin1(server_texts::kNotImplemented));
        return;
    }
    runCommand(id, fromAnsi(p.argument), p.argument);
}

PathResolver& CControlSocket::resolver() {
    PlayerGroupInfo group;
    PlayerAccountInfo account;
    IPlayerAccounts* accounts = thread_->Server()->Accounts();
    if (accounts && accounts->FindUser(userName_, false, &group, &account, nullptr)) {
        group_ = group;
        account_ = account;
    }
    resolver_.setGroup(group_);
    resolver_.setRssActive(thread_->Server()->RssActive());
    return resolver_;
}

void CControlSocket::runCommand(int id, const QString& arg, const QByteArray& rawArg) {
    switch (id) {
    case kCmdUSER: cmdUser(arg); break;
    case kCmdPASS: cmdPass(arg); break;
    case kCmdBYE:
    case kCmdQUIT:
        SendReply(tr1(server_texts::kReply220, config_->goodbye));
        EndConnection();
        break;
    case kCmdSYST: SendReply(QString::fromLatin1(server_texts::kSyst)); break;
    case kCmdNOOP: SendReply(QString::fromLatin1(server_texts::kNoopOk)); break;
    case kCmdTYPE: SendReply(tr1(server_texts::kTypeSet, arg)); break;
    case kCmdPWD:
    case kCmdXPWD: SendReply(tr1(server_texts::kPwd, resolver_.currentDirectory())); break;
    case kCmdCWD:
    case kCmdXCWD: cmdCwd(arg); break;
    case kCmdCDUP: cmdCwd(QStringLiteral("..")); break;
    case kCmdMKD:
    case kCmdXMKD: cmdMkd(arg); break;
    case kCmdRMD:
    case kCmdXRMD: cmdRmd(arg); break;
    case kCmdDELE: cmdDele(arg); break;
    case kCmdRNFR: cmdRnfr(arg); break;
    case kCmdRNTO: cmdRnto(arg); break;
    case kCmdSIZE: cmdSize(arg); break;
    case kCmdREST: {
        qint32 offset = 0;
        if (!parseRestartOffset(rawArg, &offset)) {
            SendReply(QString::fromLatin1(server_texts::kSyntaxError));
            break;
        }
        restartOffset_ = quint32(offset);
        SendReply(tr1(server_texts::kRest, QString::number(offset)));
        break;
    }
    case kCmdHELP: cmdHelp(arg); break;
    case kCmdPASV:
    case kCmdPSW: cmdPasv(); break;
    case kCmdPORT: cmdPort(rawArg); break;
    case kCmdLIST: cmdList(arg, false); break;
    case kCmdNLST: cmdList(arg, true); break;
    case kCmdRETR: cmdRetr(arg); break;
    case kCmdSTOR: cmdStore(arg, false); break;
    case kCmdAPPE: cmdStore(arg, true); break;
    case kCmdABOR: cmdAbor(); break;
    default: playerMessage(id, arg); break;
    }
}

void CControlSocket::cmdUser(const QString& arg) {
    status_ = AwaitingLogin;
    if (loggedInOnce_) loginDeadlineMs_ = clock_.elapsed() + config_->loginTimeoutMs;
    const int blank = arg.indexOf(QLatin1Char(' '));
    const QString name = blank < 0 ? arg : arg.left(blank);
    CControlServer* server = thread_->Server();
    IPlayerAccounts* accounts = server->Accounts();
    PlayerGroupInfo group;
    PlayerAccountInfo account;
    bool created = false;
    bool known = isAcceptableUserName(name) && accounts &&
                 accounts->FindUser(name, false, &group, &account, nullptr);
    if (!known && isAcceptableUserName(name) && accounts) {
        // Every new name rewrites the account file: new names come at a bounded rate.
        const QString peer = thread_->PeerAddress();
        auto refuse = [&](const char* why) {
            server->Log(LogType::FromPlayer, macText_, QString::fromLatin1(why).arg(name, peer));
        };
        if (!server->AutoRegister()) {
            refuse(server_texts::kRegistrationOff);
        } else if (!server->AllowRegistration(peer)) {
            refuse(server_texts::kRegistrationLimited);
        } else {
            known = accounts->FindUser(name, true, &group, &account, &created);
        }
    }
    if (!known || account.disabled) {
        SendReply(tr1(server_texts::kReply220, QString::fromLatin1(server_texts::kInvalidUser)));
        EndConnection();
        return;
    }
    userName_ = name;
    thread_->SetUserName(name);
    if (created && thread_->Server()->Observer())
        thread_->Server()->Observer()->AccountRegistered(account.name, account.group);
    if (server->PasswordCheck()) {
        SendReply(tr1(server_texts::kPasswordRequired, userName_));
        return;
    }
    loggedIn(group, account, true);
}

void CControlSocket::cmdPass(const QString& arg) {
    if (userName_.isEmpty()) {
        SendReply(QString::fromLatin1(server_texts::kLoginWithUserFirst));
        return;
    }
    IPlayerAccounts* accounts = thread_->Server()->Accounts();
    PlayerGroupInfo group;
    PlayerAccountInfo account;
    if (!accounts || !accounts->FindUser(userName_, false, &group, &account, nullptr)) {
        SendReply(QString::fromLatin1(server_texts::kNotLoggedIn));
        return;
    }
    if ((arg == account.password || account.password.isEmpty()) && !account.disabled) {
        loggedIn(group, account, false);
        return;
    }
    SendReply(tr1(server_texts::kReply220, QString::fromLatin1(server_texts::kInvalidPassword)));
    EndConnection();
}

void CControlSocket::loggedIn(const PlayerGroupInfo& group, const PlayerAccountInfo& account,
                              bool withStop) {
    group_ = group;
    account_ = account;
    resolver_.setGroup(group);
    resolver_.setCurrentDirectory(QStringLiteral("/"));
    status_ = Idle;
    loggedInOnce_ = true;
    loginDeadlineMs_ = -1;
    SendReply(tr1(withStop ? server_texts::kLoggedInUser : server_texts::kLoggedInPass, group.name));
}

void CControlSocket::cmdCwd(const QString& arg) {
    QString local;
    if (resolver().ResolveDirectory(arg, kDirList, &local) != kResolveFound ||
        !QFileInfo(local).isDir()) {
        SendReply(tr1(server_texts::kDirNotFoundArg, arg));
        return;
    }
    resolver_.setCurrentDirectory(resolver_.ToVirtualPath(local));
    SendReply(tr1(server_texts::kCwdOk, resolver_.currentDirectory()));
}

void CControlSocket::cmdMkd(const QString& arg) {
    QString local;
    if (resolver().ResolveDirectory(arg, kDirCreate, &local) == kResolveFound) {
        SendReply(QString::fromLatin1(server_texts::kDirExists));
        return;
    }
    // A folder under a name the console writes would keep the console from writing it.
    if (!local.isEmpty() && !resolver_.isConsoleFile(local) && QDir().mkpath(local)) {
        SendReply(QString::fromLatin1(server_texts::kDirCreated));
    } else {
        SendReply(QString::fromLatin1(server_texts::kDirCreateError));
    }
}

void CControlSocket::cmdRmd(const QString& arg) {
    QString local;
    if (resolver().ResolveDirectory(arg, kDirRemove, &local) != kResolveFound) {
        SendReply(QString::fromLatin1(server_texts::kDirNotFound));
        return;
    }
    const QFileInfo fi(local);
    if (fi.isDir() && !fi.isSymLink() && QDir().rmdir(local)) {
        SendReply(QString::fromLatin1(server_texts::kDirDeleted));
        return;
    }
    if (fi.isDir() && !QDir(local).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                           QDir::NoDotAndDotDot)) {
        SendReply(QString::fromLatin1(server_texts::kDirNotEmpty));
        return;
    }
    SendReply(QString::fromLatin1(server_texts::kDirDeleteError));
}

void CControlSocket::cmdDele(const QString& arg) {
    QString local;
    PathResolver& r = resolver();
    if (r.isConsoleName(arg)) {
        SendReply(QString::fromLatin1(server_texts::kCantAccessFile));
        return;
    }
    if (r.ResolveFile(arg, kFileDelete, &local) == kResolveFileNotFound) {
        SendReply(QString::fromLatin1(server_texts::kFileNotFound));
        return;
    }
    if (r.isConsoleFile(local)) {
        SendReply(QString::fromLatin1(server_texts::kCantAccessFile));
        return;
    }
    const QString virt = resolver_.ToVirtualPath(local);
    if (QFile::remove(local)) {
        SendReply(tr1(server_texts::kFileDeleted, virt));
    } else {
        SendReply(tr1(server_texts::kFileDeleteError, virt));
    }
}

void CControlSocket::cmdRnfr(const QString& arg) {
    QString local;
    PathResolver& r = resolver();
    const bool isFile = r.ResolveFile(arg, kFileRename, &local) == kResolveFound;
    if (r.isConsoleName(arg) ||
        ((isFile || r.ResolveDirectory(arg, kDirRename, &local) == kResolveFound) &&
         r.isConsoleFile(local))) {
        SendReply(QString::fromLatin1(server_texts::kCantAccessFile));
        return;
    }
    if (isFile) {
        renameSource_ = local;
        renameIsFile_ = true;
        SendReply(QString::fromLatin1(server_texts::kRnfrFile));
        return;
    }
    if (r.ResolveDirectory(arg, kDirRename, &local) == kResolveFound) {
        renameSource_ = local;
        renameIsFile_ = false;
        SendReply(QString::fromLatin1(server_texts::kRnfrDir));
        return;
    }
    SendReply(QString::fromLatin1(server_texts::kRnfrNotFound));
}

void CControlSocket::cmdRnto(const QString& arg) {
    if (renameSource_.isEmpty()) {
        SendReply(QString::fromLatin1(server_texts::kBadSequence));
        return;
    }
    PathResolver& r = resolver();
    if (r.isConsoleName(arg)) {
        SendReply(QString::fromLatin1(server_texts::kCantAccessFile));
        return;
    }
    QString local;
    const int result = renameIsFile_ ? r.ResolveFile(arg, kFileRename, &local)
                                     : r.ResolveDirectory(arg, kDirRename, &local);
    const QString kind = QString::fromLatin1(renameIsFile_ ? "File" : "Directory");
    if (result == kResolveFound) {
        SendReply(tr1(server_texts::kAlreadyExists, kind));
        return;
    }
    if (!local.isEmpty() && r.isConsoleFile(local)) {
        SendReply(QString::fromLatin1(server_texts::kCantAccessFile));
        return;
    }
    const QString virt = r.ToVirtualPath(renameSource_);
    const bool ok = !local.isEmpty() && !QFileInfo::exists(local) &&
                    QDir().rename(renameSource_, local);
    if (ok) {
        SendReply(QString::fromLatin1(server_texts::kRenamed).arg(kind, virt));
    } else {
        SendReply(QString::fromLatin1(server_texts::kRenameError)
                      .arg(QString::fromLatin1(renameIsFile_ ? "file" : "directory"), virt));
    }
}

void CControlSocket::cmdSize(const QString& arg) {
    QString local;
    if (resolver().ResolveFile(arg, kFileRead, &local) == kResolveFileNotFound) {
        SendReply(QString::fromLatin1(server_texts::kFileNotFound));
        return;
    }
    SendReply(tr1(server_texts::kSize, QString::number(QFileInfo(local).size())));
}

void CControlSocket::cmdHelp(const QString& arg) {
    if (arg.isEmpty()) {
        SendReply(QString::fromLatin1(helpListing()));
        return;
    }
    const int id = findCommand(toAnsi(arg).toUpper());
    if (id < 0) {
        SendReply(tr1(server_texts::kHelpUnknown, arg));
        return;
    }
    SendReply(tr1(server_texts::kHelpOne, QString::fromLatin1(commandEntry(id).help)));
}

QString CControlSocket::logFile(const char* name) const {
    return config_->programFolder + QStringLiteral("/Log/") + QString::fromLatin1(name);
}

void CControlSocket::notify(PlayerEvent code, const QString& text) {
    if (IServerObserver* observer = thread_->Server()->Observer())
        observer->ClientEvent(code, macText_, text);
}

void CControlSocket::playerMessage(int id, const QString& arg) {
    auto reply = [this](const char* text) { SendReply(QString::fromLatin1(text)); };
    // Report events go out only for a report that says 0 (done); the playback report always.
    auto report = [&](PlayerEvent code) {
        if (code == PlayerEvent::PlayReport) notify(code, arg);
        else if (atoiBytes(toAnsi(arg)) == 0) notify(code, userName_);
        reply(server_texts::kReportDone);
    };
    switch (id) {
    case kMsgALIVE: reply(server_texts::kAliveAck); break;
    case kMsgIN_PROCESSING: break;
    case kMsgCLIENT_STATUS_DONE: reply(server_texts::kAckOk); break;
    case kMsgGET_MAC_ADDR:
        // The MAC text names log and report files: only an address, and only a few per
        // connection, so that one connection cannot fill Log/ with files.
        if (!isWellFormedMac(arg)) {
            LogConnection(LogType::FromPlayer, tr1(server_texts::kMacNotAnAddress, arg));
            break;
        }
        if (arg.compare(macText_, Qt::CaseInsensitive) != 0 && ++macChanges_ > kMaxMacChanges) {
            LogConnection(LogType::FromPlayer, tr1(server_texts::kMacTooManyChanges, arg));
            break;
        }
        macText_ = arg;
        thread_->SetMacText(arg);
        if (IServerObserver* observer = thread_->Server()->Observer())
            observer->ClientLoggedIn(thread_->ThreadId(), userName_, thread_->PeerAddress(), arg);
        break;
    case kMsgSTORAGE_INFO_DONE: {
        LogConnection(LogType::FromPlayer, arg);
        const MacRange range = thread_->Server()->MacHandout();
        if (!range.enabled) break;
        const MacHandout h = AssignMac(logFile(server_texts::kMacListFile), macText_, range);
        if (h.address)
            SendReply(QString::fromLatin1(server_texts::kMacCommand).arg(QString::number(server_texts::kSetMacCode), *h.address));
        if (h.logText) thread_->Server()->Log(LogType::ServerEvent, macText_, *h.logText);
        break;
    }
    case kMsgSTORAGE_FILE_INFO_DONE: report(PlayerEvent::StorageFiles); break;
    case kMsgDELETE_FILE_DONE: report(PlayerEvent::DeleteDone); break;
    case kMsgGET_PLAYLIST_DONE: report(PlayerEvent::Playlist); break;
    case kMsgGET_PREPORT_DONE: report(PlayerEvent::PlayReport); break;
    case kMsgDOWNLOAD_DONE:
        notify(PlayerEvent::Status, QString::fromLatin1(status_texts::kAlive));
        reply(server_texts::kDownloadDoneReply);
        break;
    case kMsgSEND_INSTANT_MSG_DONE: reply(server_texts::kInstantSent); break;
    case kMsgSTOP_INSTANT_MSG_DONE: reply(server_texts::kInstantStopped); break;
    case kMsgGET_VERSION: reply(server_texts::kNotImplemented); break;
    case kMsgSTATUS: {
        const StatusOutcome o = InterpretStatus(arg);
        if (o.logText) LogConnection(LogType::FromPlayer, *o.logText);
        // The operator is told in the log: a player must not be able to open dialogs.
        if (o.operatorNotice) LogConnection(LogType::FromPlayer, QString::fromLatin1(kStopPlaybackFirst));
        if (o.statusChange) notify(PlayerEvent::Status, *o.statusChange);
        if (o.endConnection) {
            CloseDataConnection();
            EndConnection();
        }
        break;
    }
    case kMsgPLAY_REPORT: AddPlayReport(logFile(server_texts::kPlayReportFile), macText_, arg); break;
    default: break;
    }
}

}  // namespace lum
