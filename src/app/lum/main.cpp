// lum: the operator's console with its windows. Everything it does lives in the libraries; this
// file reads the command line and runs the application object.
#include "console/ui/ConsoleApp.h"
#include "console/ui/MainFrame.h"
#include "core/AppProfile.h"
#include "core/SignalPipe.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {

void setApplicationNames() {
    QCoreApplication::setOrganizationName(QString::fromLatin1(lum::kProfileOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(lum::kProfileApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUM_VERSION));
}

// The command line; returns the --data-dir option.
QCommandLineOption describeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral("LUM signage console"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Data folder (config.ini, server data, group folders, Log). Default: the "
                       "executable's folder when writable and not installed, else ~/.local/share/LUM."),
        QStringLiteral("DIR"));
    parser.addOption(dataDirOption);
    return dataDirOption;
}

// --help and --version answer without a display (scripts, the manual page build, a shell over
// ssh); a window system is needed only to run the console.
void answerQuestionsWithoutDisplay(int argc, char** argv) {
    bool asks = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "-h" || a == "-?" || a == "--help" || a == "--help-all" || a == "-v" ||
            a == "--version")
            asks = true;
    }
    if (!asks) return;
    QCoreApplication app(argc, argv);
    setApplicationNames();
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(app);  // prints and exits; returns only when the word was an option's value
}

}  // namespace

int main(int argc, char** argv) {
    answerQuestionsWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    setApplicationNames();
    QApplication::setApplicationDisplayName(QStringLiteral("LUM"));
    // Desktops match the window to lum.desktop (its icon and name) by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("lum"));
    // Hidden in the tray is still running: only the window's close or "E&xit" ends the console.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    const QCommandLineOption dataDirOption = describeCommandLine(parser);
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
