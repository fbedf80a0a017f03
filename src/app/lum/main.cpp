// lum: the operator's console with its windows. Everything it does lives in the libraries; this
// file reads the command line and runs the application object.
#include "console/ui/ConsoleApp.h"
#include "console/ui/MainFrame.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The profile (window positions, language) lives under this organisation and application.
    QCoreApplication::setOrganizationName(QStringLiteral("ZEB Software Solutions-LUM"));
    QCoreApplication::setApplicationName(QStringLiteral("LUM"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUM_VERSION));
    QApplication::setApplicationDisplayName(QStringLiteral("LUM"));
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

    lum::CConsoleApp console;
    lum::CConsoleApp::Options options;
    options.dataDir = parser.value(dataDirOption);
    options.executableDir = QCoreApplication::applicationDirPath();
    const auto result = console.start(options);
    if (result != lum::CConsoleApp::StartResult::Started) return 1;
    QObject::connect(console.mainFrame(), &lum::CMainFrame::closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
