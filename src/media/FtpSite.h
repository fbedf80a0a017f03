#pragma once
// Stored FTP sites ("server data/sites.dat"), the FTP defaults of the application profile and
// the site manager's rules without its window.

#include <QList>
#include <QSettings>
#include <QString>

#include <memory>

namespace lum {

// One stored site; the fields in their archive order.
struct CFtpSite {
    QString host;             // "Host Address": a host name or an FTP URL
    quint32 attempts = 1;     // connection attempts
    QString unused3;          // written empty
    QString localFolder;      // local folder for transfers
    QString login;            // "Login"
    QString profileName;      // "ProfileName": the site's key
    QString password;         // "Password", stored as typed
    quint32 port = 21;        // "Port"
    QString initialPath;      // "Initial Path"
    quint32 retryDelay = 15;  // seconds
    quint32 unused11 = 0;     // written 0
    quint32 usePassive = 0;   // "Use PASV Mode", 0 or 1

    bool operator==(const CFtpSite&) const = default;
};

// Path of sites.dat under the program folder.
QString ftpSitesPath(const QString& programFolder);

// A missing, foreign or unreadable file gives no sites; a file cut inside a record keeps the
// records before it.
QList<CFtpSite> loadFtpSites(const QString& path);
// Rewrites the whole file; false (old file kept) when it cannot be written.
bool saveFtpSites(const QString& path, const QList<CFtpSite>& sites);

// FTP values of the application profile, section "Settings".
class FtpProfile {
public:
    // The console's own profile (organisation "ZEB Software Solutions-LUM", application "LUM").
    FtpProfile();
    // A given store, e.g. an INI file in tests.
    explicit FtpProfile(std::shared_ptr<QSettings> settings);

    int lastSelectedSite() const;
    void setLastSelectedSite(int index);
    QString emailAddress() const;
    bool defaultUsePasvMode() const;
    int defaultRetries() const;
    int defaultRetryDelay() const;
    QString defaultLocalPath() const;
    int connectionTimeout() const;  // seconds

    QSettings& settings() { return *settings_; }

private:
    QVariant value(const char* key, const QVariant& def) const;
    std::shared_ptr<QSettings> settings_;
};

// The "FTP Site Manager" without its window: the list, the selection and the field rules.
class CFtpSiteManager {
public:
    // The fields of the dialog. `password` is the real one; displayPassword() is what shows.
    struct Fields {
        QString host;
        quint32 port = 21;
        bool usePassive = false;
        QString login;
        QString profileName;
        QString password;
        QString initialPath;
        bool anonymous = false;  // the "Anoymous" box
    };
    enum class AddResult { Added, NeedName, Duplicate, WriteFailed };

    CFtpSiteManager(QString sitesPath, FtpProfile& profile);

    // Loads the file and selects the entry at "LastSelectedSite".
    void open();

    const QList<CFtpSite>& sites() const { return sites_; }
    QStringList profileNames() const;
    int selected() const { return selected_; }
    const Fields& fields() const { return fields_; }
    Fields& editFields() { return fields_; }

    // Selects entry `index`, shows its fields and remembers it as "LastSelectedSite".
    bool select(int index);
    // The password as shown: clear for anonymous logins, else one '*' per character.
    QString displayPassword() const;
    // The "Anoymous" box.
    void setAnonymous(bool on);

    AddResult add();
    // "Save": false when no name or no selection (or the file cannot be written).
    bool save();
    // "Remove": deletes the selected site, saves and selects the first entry.
    bool remove();
    // "Connect": the chosen site's fields as a site record for the connection procedure.
    CFtpSite chosen() const;

private:
    CFtpSite recordFromFields(const CFtpSite& base) const;

    QString path_;
    FtpProfile& profile_;
    QList<CFtpSite> sites_;
    int selected_ = -1;
    Fields fields_;
};

}  // namespace lum
