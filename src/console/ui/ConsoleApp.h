#pragma once
// The windowed console's application object: owns the settings, the account store, the models,
// the main window and the tray icon, and runs the start-up and exit sequences.

#include <QImage>
#include <QObject>
#include <QString>

#include <memory>

class QLockFile;
class QSystemTrayIcon;
class QTranslator;

namespace lum {

class CAppSettings;
class CConsoleModels;
class CLogHub;
class CControlServer;
class COnlineObserver;
class CServerConnections;
class UserStoreAccounts;
class CEditorRequests;
class COnlineCommandSender;
class ReportCenter;
class COnlineCommandPoster;
class CRssThread;
class CMainFrame;
class CMessageBoxPrompt;
class COperatorService;
class COperatorSocket;
class CUserStore;
class IOperatorPrompt;

// A player zone image as a picture; null when the file is not a readable zone image.
QImage yuvToImage(const QString& path);

class CConsoleApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString dataDir;        // --data-dir; empty: the usual choice
        QString executableDir;  // where translations are looked for
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
    CAppSettings* settings() const { return settings_.get(); }
    CUserStore* store() const { return store_.get(); }
    CConsoleModels* models() const { return models_.get(); }
    CLogHub* logHub() const { return logHub_.get(); }
    ReportCenter* reports() const { return reports_.get(); }
    CControlServer* server() const { return server_.get(); }
    CMainFrame* mainFrame() const { return frame_.get(); }
    QSystemTrayIcon* trayIcon() const { return tray_; }
    QString languageId() const { return languageId_; }

    // The lock file that keeps a second console away (in the user's runtime folder).
    static QString instanceLockPath(const QString& applicationTitle);
    // The machine's address for a fresh config.ini: the first IPv4 address of the host name,
    // "failed" when it cannot be resolved.
    static QString localAddress();

private:
    void chooseLanguage();
    void createTray();
    // The "&Server" menu's Backup and Restore, with their file dialogs.
    void backup();
    bool startServer();
    void restore();
    void onLanguageChosen(const QString& id);

    Options options_;
    QString dataDir_;
    QString languageId_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<CMessageBoxPrompt> boxPrompt_;
    IOperatorPrompt* prompt_ = nullptr;
    std::unique_ptr<CAppSettings> settings_;
    std::unique_ptr<CUserStore> store_;
    std::unique_ptr<CConsoleModels> models_;
    std::unique_ptr<COnlineCommandPoster> poster_;
    std::unique_ptr<CRssThread> rss_;
    std::unique_ptr<COnlineCommandSender> sender_;
    std::unique_ptr<ReportCenter> reports_;
    std::unique_ptr<CEditorRequests> editorRequests_;
    std::unique_ptr<COperatorService> service_;
    std::unique_ptr<COperatorSocket> operatorSocket_;
    std::unique_ptr<CLogHub> logHub_;
    std::unique_ptr<UserStoreAccounts> playerAccounts_;
    std::unique_ptr<CControlServer> server_;
    std::unique_ptr<COnlineObserver> observer_;
    std::unique_ptr<CServerConnections> connections_;
    std::unique_ptr<CMainFrame> frame_;
    QSystemTrayIcon* tray_ = nullptr;
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace lum
