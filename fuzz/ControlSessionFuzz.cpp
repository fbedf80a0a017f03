// The control connection as a player drives it: the input is what the player sends, from the
// greeting on (USER and PASS included). One CControlSocket per input, on this thread, over a
// real loopback connection; the player then closes its side and the connection must end.
// Afterwards no file outside the group's home directory has changed.
#include "FuzzSupport.h"
#include "accounts/UserStore.h"
#include "core/LogSink.h"
#include "server/ConnectThread.h"
#include "server/ControlServer.h"
#include "server/ControlSocket.h"
#include "server/UserStoreAccounts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace lum;

namespace {

struct NullSink : ILogSink {
    void addLog(LogType, const QString&, const QString&) override {}
};

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

QByteArray get(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct Env {
    QString program, home, outside;
    QByteArray usersImage;
    std::unique_ptr<CUserStore> store;
    std::unique_ptr<UserStoreAccounts> accounts;
    NullSink sink;
    std::unique_ptr<CControlServer> server;
    int listener = -1;
    sockaddr_in address{};
    quint32 nextId = 1;

    Env() {
        lumfuzz::isolateNetwork();
        program = lumfuzz::scratch() + QStringLiteral("/data");
        home = program + QStringLiteral("/Home");
        outside = program + QStringLiteral("/Other/secret.txt");
        QDir().mkpath(program + QStringLiteral("/server data"));
        QDir().mkpath(program + QStringLiteral("/Other"));
        QDir().mkpath(program + QStringLiteral("/Log"));
        put(outside, "secret");
        store = std::make_unique<CUserStore>(program);
        CUserGroup homeGroup;
        homeGroup.name = QStringLiteral("Home");
        store->AddGroup(homeGroup);
        CUserGroup other;
        other.name = QStringLiteral("Other");
        store->AddGroup(other);
        for (const auto& [name, password, group, disabled] :
             {std::tuple{"P01", "", "Home", 0}, std::tuple{"P02", "secret", "Home", 0},
              std::tuple{"P03", "", "Home", 1}, std::tuple{"O01", "", "Other", 0}}) {
            CUser u;
            u.name = QString::fromLatin1(name);
            u.password = QString::fromLatin1(password);
            u.group = QString::fromLatin1(group);
            u.disabled = disabled;
            store->AddUser(u);
        }
        usersImage = get(store->filePath());
        accounts = std::make_unique<UserStoreAccounts>(*store);
        server = std::make_unique<CControlServer>(accounts.get(), &sink);
        server->SetProgramFolder(program);
        server->SetMaxPerAddress(1 << 20);
        server->SetPassiveRange(40000, 20);
        server->SetDataConnectTimeout(50);
        server->SetSendPause(0);
        MacRange macs;
        macs.enabled = true;
        macs.first = QStringLiteral("02-00-00-00-00-01");
        macs.count = 100;
        server->SetMacRange(macs);

        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof address;
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), len) != 0 ||
            ::listen(listener, 16) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &len) != 0)
            abort();
    }

    // The home directory and the store as every input finds them.
    void reset(bool passwordCheck, bool autoRegister) {
        QDir(home).removeRecursively();
        QDir().mkpath(home + QStringLiteral("/Sub"));
        put(home + QStringLiteral("/a.txt"), "alpha");
        put(home + QStringLiteral("/Sub/b.txt"), "beta");
        put(home + QStringLiteral("/AutoPlaylist.mpl"), "[configuration]\r\nglobalinterval=5\r\n");
        QFile::link(program + QStringLiteral("/Other"), home + QStringLiteral("/toOther"));
        if (get(store->filePath()) != usersImage) {
            put(store->filePath(), usersImage);
            store->Reload();
        }
        server->SetPasswordCheck(passwordCheck);
        server->SetAutoRegister(autoRegister);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    static Env env;
    if (size > 64 * 1024) return 0;
    lumfuzz::Input in(data, size);
    const uint8_t options = in.byte();
    env.reset(options & 1, options & 2);
    const QByteArray session = in.rest();

    const int player = ::socket(AF_INET, SOCK_STREAM, 0);
    if (::connect(player, reinterpret_cast<sockaddr*>(&env.address), sizeof env.address) != 0)
        abort();
    const int accepted = ::accept(env.listener, nullptr, nullptr);
    {
        CConnectThread thread(env.server.get(), accepted, env.nextId++);  // never started
        auto* socket = new CControlSocket(&thread);
        if (!socket->setSocketDescriptor(accepted)) abort();
        if (socket->Admit(false)) {
            // Loopback buffers hold the whole session; the player then closes its side.
            for (qsizetype sent = 0; sent < session.size();) {
                const ssize_t n = ::send(player, session.constData() + sent,
                                         size_t(session.size() - sent), MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += n;
            }
            ::shutdown(player, SHUT_WR);
            ::fcntl(player, F_SETFL, O_NONBLOCK);
            char sink[65536];
            QDeadlineTimer deadline(20000);
            while (socket->state() != QAbstractSocket::UnconnectedState) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                while (::recv(player, sink, sizeof sink, 0) > 0) {
                }
                // A connection whose player has gone must end on its own.
                if (deadline.hasExpired()) {
                    fprintf(stderr, "connection did not end after the player left\n");
                    abort();
                }
            }
        }
        QCoreApplication::processEvents();
        delete socket;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ::close(player);
    // Nothing outside the home directory changed.
    LUM_FUZZ_CHECK(get(env.outside) == "secret");
    return 0;
}
