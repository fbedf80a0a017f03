#pragma once
// Shared pieces of the console's widget tests: a data folder with its account store and
// models, and a stand-in for the control server's connections that records what was posted.

#include "accounts/UserStore.h"
#include "console/ConsoleModels.h"
#include "common/OnlinePlayers.h"
#include "common/RecordingPrompt.h"
#include "server/AppSettings.h"

#include "common/TestSupport.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace lumtest {

// Profile, autostart entry and (with `runtime`) the single-instance lock stay inside `dir`.
inline void keepUserFilesIn(const QTemporaryDir& dir, bool runtime = false) {
    if (runtime) {
        const QString run = dir.filePath(QStringLiteral("run"));
        QDir().mkpath(run);
        QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", run.toLocal8Bit());
    }
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("xdg")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath(QStringLiteral("profile")));
    QCoreApplication::setOrganizationName(QStringLiteral("ZEB Software Solutions-LUM"));
    QCoreApplication::setApplicationName(QStringLiteral("LUM"));
}

struct ConsoleFixture {
    ConsoleFixture() {
        keepUserFilesIn(dir);
        data = dir.filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        settings = std::make_unique<lum::CAppSettings>(data + QStringLiteral("/config.ini"));
        settings->setExecutablePath(QStringLiteral("/usr/bin/lum"));
        settings->Load();
        store = std::make_unique<lum::CUserStore>(data);
        online = std::make_unique<lum::COnlineModel>(*store);
        models = std::make_unique<lum::CConsoleModels>(*store, *online);
        models->online().setConnections(&connections);
    }

    void addGroup(const QString& name) { lumtest::addGroup(*store, name); }
    void addUser(const QString& name, const QString& group) { lumtest::addUser(*store, name, group); }
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    QString data;
    RecordingPrompt prompt;
    RecordingConnections connections;
    std::unique_ptr<lum::CAppSettings> settings;
    std::unique_ptr<lum::CUserStore> store;
    std::unique_ptr<lum::COnlineModel> online;
    std::unique_ptr<lum::CConsoleModels> models;
};

}  // namespace lumtest
