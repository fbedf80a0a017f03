// lum: the operator's console with its windows. Everything it does lives in the libraries; this
// file reads the command line and runs the application object.
#include "console/ui/ConsoleApp.h"
#include "console/ui/MainFrame.h"

#include "core/AppProfile.h"
#include "core/SignalPipe.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(lum::kProfileOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(lum::kProfileApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUM_VERSION));
    QApplication::setApplicationDisplayName(QStringLiteral("LUM"));
    // Hidden in the tray is still running: only the window's close or "E&xit" ends the console.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("LUM signage console"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Data folder (config.ini, server data, group folders, Log). Default: the "
                       "executable's folder when writable, else ~/.local/share/LUM."),
        QStringLiteral("DIR"));
    parser.addOption(dataDirOption);
    parser.process(app);

    // SIGTERM and SIGINT close the window as the operator would, so the exit order runs.
    lum::SignalPipe stopSignals;
    stopSignals.install();

    lum::CConsoleApp console;
    lum::CConsoleApp::Options options;
    options.dataDir = parser.value(dataDirOption);
    options.executableDir = QCoreApplication::applicationDirPath();
    if (console.start(options) != lum::CConsoleApp::StartResult::Started) return 1;
    lum::CMainFrame* frame = console.mainFrame();
    QObject::connect(frame, &lum::CMainFrame::closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&stopSignals, &lum::SignalPipe::received, frame, [frame] { frame->close(); });
    return app.exec();
}
