#pragma once
// A whole console in a test folder (core, control server on a free port, main window not shown)
// and simulated players that log in to it and stay until the test ends them.

#include "console/ui/ConsoleApp.h"
#include "console/ui/GuiTestSupport.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include "SimPlayer.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace lumtest {

// Starts `app` on DIR/data with `ini` as its config.ini; profile and single-instance lock stay
// in DIR. `executableDir` is where translations and sample media are looked for.
inline lum::CConsoleApp::StartResult startConsoleIn(lum::CConsoleApp& app, const QTemporaryDir& dir,
                                                    RecordingPrompt& prompt,
                                                    const QByteArray& ini = "[SERVER]\r\nPORT=0\r\n",
                                                    const QString& executableDir = {}) {
    keepUserFilesIn(dir, true);
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    if (!writeFile(data + QStringLiteral("/config.ini"), ini)) return lum::CConsoleApp::StartResult::Failed;
    lum::CConsoleApp::Options o;
    o.dataDir = data;
    o.executableDir = executableDir.isEmpty() ? dir.filePath(QStringLiteral("bin")) : executableDir;
    o.prompt = &prompt;
    o.showWindow = false;
    return app.start(o);
}

// A player that logs in, stays online and answers what the console sends; with `saveDir` it
// keeps what it fetches there. Not started yet.
inline std::unique_ptr<lum::sim::CSimPlayer> stayingPlayer(quint16 port, const QString& user, const QString& mac,
                                                      const QString& saveDir = {}) {
    lum::sim::SimPlayerConfig c;
    c.port = port;
    c.user = user;
    c.mac = mac;
    c.aliveMs = 0;
    c.saveDir = saveDir;
    lum::sim::SimStep stay;
    stay.kind = lum::sim::SimStep::Kind::Stay;
    stay.seconds = 600;  // ended by the test
    c.steps.push_back(stay);
    return std::make_unique<lum::sim::CSimPlayer>(c);
}

}  // namespace lumtest
