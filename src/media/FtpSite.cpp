#include "media/FtpSite.h"

#include "core/AppProfile.h"
#include "core/Archive.h"
#include "core/AtomicFile.h"
#include "core/DataFolder.h"
#include "media/MediaTexts.h"

namespace lum {

using namespace media_texts;

QString ftpSitesPath(const QString& programFolder) {
    return joinPath(joinPath(programFolder, kServerDataDir), kSitesFile);
}

QList<CFtpSite> loadFtpSites(const QString& path) {
    QByteArray data;
    if (!readWholeFile(path, &data)) return {};
    ArchiveReader in(data);
    QString header;
    if (!in.readText(header) || header != kSitesHeader) return {};
    QList<CFtpSite> sites;
    while (!in.atEnd()) {
        CFtpSite s;
        const bool ok = in.readText(s.host) && in.readUInt32(s.attempts) && in.readText(s.unused3) &&
                        in.readText(s.localFolder) && in.readText(s.login) &&
                        in.readText(s.profileName) && in.readText(s.password) &&
                        in.readUInt32(s.port) && in.readText(s.initialPath) &&
                        in.readUInt32(s.retryDelay) && in.readUInt32(s.unused11) &&
                        in.readUInt32(s.usePassive);
        if (!ok) break;
        sites << s;
    }
    return sites;
}

bool saveFtpSites(const QString& path, const QList<CFtpSite>& sites) {
    ArchiveWriter out;
    out.writeText(kSitesHeader);
    for (const CFtpSite& s : sites) {
        out.writeText(s.host);
        out.writeUInt32(s.attempts);
        out.writeText(s.unused3);
        out.writeText(s.localFolder);
        out.writeText(s.login);
        out.writeText(s.profileName);
        out.writeText(s.password);
        out.writeUInt32(s.port);
        out.writeText(s.initialPath);
        out.writeUInt32(s.retryDelay);
        out.writeUInt32(s.unused11);
        out.writeUInt32(s.usePassive);
    }
    return writeFileAtomic(path, out.data());
}

// ---------------------------------------------------------------------------------------------

FtpProfile::FtpProfile()
    : settings_(openAppProfile()) {}

FtpProfile::FtpProfile(std::shared_ptr<QSettings> settings) : settings_(std::move(settings)) {}

QVariant FtpProfile::value(const char* key, const QVariant& def) const {
    return settings_->value(QString(kProfileSection) + '/' + key, def);
}

int FtpProfile::lastSelectedSite() const { return value("LastSelectedSite", 0).toInt(); }
void FtpProfile::setLastSelectedSite(int index) {
    settings_->setValue(QString(kProfileSection) + "/LastSelectedSite", index);
}
QString FtpProfile::emailAddress() const { return value("EmailAddress", QString()).toString(); }
bool FtpProfile::defaultUsePasvMode() const { return value("DefaultUsePASVMode", 0).toInt() != 0; }
int FtpProfile::defaultRetries() const { return value("DefaultRetries", 3).toInt(); }
int FtpProfile::defaultRetryDelay() const { return value("DefaultRetryDelay", 10).toInt(); }
QString FtpProfile::defaultLocalPath() const { return value("DefaultLocalPath", QString()).toString(); }
int FtpProfile::connectionTimeout() const { return value("ConnectionTimeout", 30).toInt(); }

// ---------------------------------------------------------------------------------------------

CFtpSiteManager::CFtpSiteManager(QString sitesPath, FtpProfile& profile)
    : path_(std::move(sitesPath)), profile_(profile) {}

void CFtpSiteManager::open() {
    sites_ = loadFtpSites(path_);
    selected_ = -1;
    fields_ = {};
    const int last = profile_.lastSelectedSite();
    if (last >= 0 && last < sites_.size()) select(last);
}

QStringList CFtpSiteManager::profileNames() const {
    QStringList names;
    for (const CFtpSite& s : sites_) names << s.profileName;
    return names;
}

bool CFtpSiteManager::select(int index) {
    if (index < 0 || index >= sites_.size()) return false;
    selected_ = index;
    const CFtpSite& s = sites_[index];
    fields_.host = s.host;
    fields_.port = s.port;
    fields_.usePassive = s.usePassive != 0;
    fields_.login = s.login;
    fields_.profileName = s.profileName;
    fields_.password = s.password;
    fields_.initialPath = s.initialPath;
    fields_.anonymous = s.login.compare(kAnonymous, Qt::CaseInsensitive) == 0;
    profile_.setLastSelectedSite(index);
    return true;
}

QString CFtpSiteManager::displayPassword() const {
    if (fields_.anonymous || fields_.login.compare(kAnonymous, Qt::CaseInsensitive) == 0)
        return fields_.password;
    return QString(fields_.password.size(), '*');
}

void CFtpSiteManager::setAnonymous(bool on) {
    fields_.anonymous = on;
    if (on) {
        fields_.login = kAnonymous;
        fields_.password = profile_.emailAddress();
    } else if (selected_ >= 0 && selected_ < sites_.size()) {
        fields_.login = sites_[selected_].login;
        fields_.password = sites_[selected_].password;
    } else {
        fields_.login.clear();
        fields_.password.clear();
    }
}

CFtpSite CFtpSiteManager::recordFromFields(const CFtpSite& base) const {
    CFtpSite s = base;
    s.host = fields_.host.trimmed();
    s.port = fields_.port;
    s.usePassive = fields_.usePassive ? 1 : 0;
    s.login = fields_.login;
    s.profileName = fields_.profileName;
    s.password = fields_.password;
    s.initialPath = fields_.initialPath;
    return s;
}

CFtpSiteManager::AddResult CFtpSiteManager::add() {
    if (fields_.profileName.isEmpty()) return AddResult::NeedName;
    for (const CFtpSite& s : sites_) {
        if (s.profileName.compare(fields_.profileName, Qt::CaseInsensitive) == 0) {
            fields_.profileName.clear();
            return AddResult::Duplicate;
        }
    }
    QList<CFtpSite> next = sites_;
    next << recordFromFields(CFtpSite{});
    if (!saveFtpSites(path_, next)) return AddResult::WriteFailed;
    sites_ = next;
    select(int(sites_.size()) - 1);
    return AddResult::Added;
}

bool CFtpSiteManager::save() {
    if (fields_.profileName.isEmpty() || selected_ < 0 || selected_ >= sites_.size()) return false;
    QList<CFtpSite> next = sites_;
    next[selected_] = recordFromFields(sites_[selected_]);
    if (!saveFtpSites(path_, next)) return false;
    sites_ = next;
    select(selected_);
    return true;
}

bool CFtpSiteManager::remove() {
    if (selected_ < 0 || selected_ >= sites_.size()) return false;
    QList<CFtpSite> next = sites_;
    next.removeAt(selected_);
    if (!saveFtpSites(path_, next)) return false;
    sites_ = next;
    selected_ = -1;
    fields_ = {};
    select(0);
    return true;
}

CFtpSite CFtpSiteManager::chosen() const {
    CFtpSite base;
    if (selected_ >= 0 && selected_ < sites_.size()) base = sites_[selected_];
    return recordFromFields(base);
}

}  // namespace lum
