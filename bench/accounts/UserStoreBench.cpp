// users.dat with many accounts: writes a data folder whose store holds N accounts (for the
// server start-up figure) and times the store's save and load. Prints one JSON line.
//
//   user_store_bench DATA_DIR [accounts=10000] [repeats=20]
#include "accounts/UserStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: user_store_bench DATA_DIR [accounts] [repeats]\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const int accounts = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
    QDir().mkpath(dir);

    // Ten groups, the accounts spread over them, as a large site would have.
    lum::CUserStore store(dir);
    const int groups = 10;
    for (int g = 0; g < groups; ++g) {
        lum::CUserGroup group;
        group.name = g == 0 ? QStringLiteral("Home") : QStringLiteral("Group%1").arg(g);
        for (int u = g; u < accounts; u += groups) {
            lum::CUser user;
            user.name = QStringLiteral("player%1").arg(u, 5, 10, QLatin1Char('0'));
            user.password = QStringLiteral("pw%1").arg(u);
            user.group = group.name;
            group.users.append(user);
        }
        if (!store.AddGroup(group)) {
            std::fprintf(stderr, "cannot add group %s\n", qPrintable(group.name));
            return 1;
        }
        QDir().mkpath(store.homeDirectoryFor(group.name));
    }

    std::vector<double> save, load;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        if (store.Save() != 1) return 1;
        save.push_back(t.nsecsElapsed() / 1e6);
        lum::CUserStore reader(dir);
        t.restart();
        reader.Load();
        load.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(save.begin(), save.end());
    std::sort(load.begin(), load.end());
    std::printf("{\"accounts\": %d, \"bytes\": %lld, \"save_ms_median\": %.3f, \"save_ms_max\": %.3f, "
                "\"load_ms_median\": %.3f, \"load_ms_max\": %.3f}\n",
                accounts, static_cast<long long>(QFileInfo(store.filePath()).size()),
                save[save.size() / 2], save.back(), load[load.size() / 2], load.back());
    return 0;
}
