#pragma once
// The windowed console's application object: the core (settings, store, log, server, ticker,
// operator socket) with the panes, the main window, the tray icon and the language on top; runs
// the start-up and exit sequences.

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;
class QSystemTrayIcon;
class QTranslator;

namespace lum {

class CAppSettings;
class CConsoleCore;
class CConsoleModels;
class CControlServer;
class CLogHub;
class CMainFrame;
class CMessageBoxPrompt;
class CUserStore;
class IOperatorPrompt;
class ReportCenter;

// A player zone image as a picture; null when the file is not a readable zone image.
QImage yuvToImage(const QString& path);

// The marked texts the core fills in (a name, a path) before it asks the operator; the message
// boxes find them in the composed message to show it translated.
QList<const char*> operatorMessageTemplates();

class CConsoleApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString dataDir;        // --data-dir; empty: the usual choice
        QString executableDir;  // translations and sample media: beside it, or installed
        // Tests answer the prompts themselves (no message boxes).
        IOperatorPrompt* prompt = nullptr;
        bool showWindow = true;
        // False keeps the server stopped whatever AUTOACTIVATE says (tests on a fresh folder).
        bool allowAutoActivate = true;
    };
    enum class StartResult { Started, AlreadyRunning, Failed };

    CConsoleApp();
    ~CConsoleApp() override;  // the exit order

    StartResult start(const Options& options);

    QString dataFolder() const { return dataDir_; }
    CConsoleCore* core() const { return core_.get(); }
    CAppSettings* settings() const;
    CUserStore* store() const;
    CLogHub* logHub() const;
    CControlServer* server() const;
    ReportCenter* reports() const;
    CConsoleModels* models() const { return models_.get(); }
    CMainFrame* mainFrame() const { return frame_.get(); }
    QString languageId() const { return languageId_; }
    // The alert notices shown in the tray (also kept when there is no tray), newest last.
    QStringList trayNotices() const { return notices_; }

    // The lock file that keeps a second console away (in the user's runtime folder).
    static QString instanceLockPath(const QString& applicationTitle);
    // The machine's address for a fresh config.ini: the first IPv4 address of the host name,
    // "failed" when it cannot be resolved.
    static QString localAddress();

private:
    void chooseLanguage();
    void createTray();
    void onLanguageChosen(const QString& id);
    // The "&Server" menu's Backup and Restore, with their file dialogs.
    void backup();
    void restore();
    void wireReports();
    // Alerts in the tray, the group summary in the status bar, "Play Report" in "&Tools".
    void wireFleet();

    Options options_;
    QString dataDir_;
    QString languageId_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<CMessageBoxPrompt> boxPrompt_;
    IOperatorPrompt* prompt_ = nullptr;
    std::unique_ptr<CConsoleCore> core_;
    std::unique_ptr<CConsoleModels> models_;
    std::unique_ptr<CMainFrame> frame_;
    QSystemTrayIcon* tray_ = nullptr;
    QStringList notices_;
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QTranslator> qtTranslator_;  // Qt's own buttons and file dialogs
};

}  // namespace lum
