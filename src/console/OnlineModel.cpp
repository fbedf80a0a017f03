#include "console/OnlineModel.h"

#include "accounts/UserStore.h"
#include "console/OnlineTexts.h"
#include "core/DataFolder.h"
#include "core/OperatorPrompt.h"

#include <QDateTime>
#include <QFileInfo>
#include <QThread>

namespace lum {

namespace {

bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// File name of a playlist path: the part after the last separator, leading separators trimmed.
QString playlistFileName(const QString& path) {
    QString p = path;
    while (p.startsWith('\\') || p.startsWith('/')) p.remove(0, 1);
    return fileNameOfPath(p);
}

}  // namespace

COnlineModel::COnlineModel(CUserStore& store, IOperatorPrompt& prompt, QObject* parent)
    : QAbstractTableModel(parent), store_(store), prompt_(prompt), filter_(online::kServerFilter) {
    qRegisterMetaType<lum::PlayerReport>();
}

int COnlineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int COnlineModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const CClientRecord* COnlineModel::recordAtRow(int row) const {
    if (row < 0 || row >= int(rows_.size())) return nullptr;
    for (const auto& r : records_)
        if (r.serial == rows_[size_t(row)]) return &r;
    return nullptr;
}

QVariant COnlineModel::data(const QModelIndex& index, int role) const {
    const CClientRecord* r = index.isValid() ? recordAtRow(index.row()) : nullptr;
    if (!r) return {};
    const bool offline = sameText(r->status, online::kStatusOffline);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColUser: return r->name;
        case ColGroup:
            return r->groupAutoPlay
                       ? QStringLiteral("%1(%2)").arg(r->group, QLatin1String(online::kAutoPlay))
                       : r->group;
        case ColStatus: return r->status;
        case ColIp: return r->ipAddress;
        case ColMac: return r->macAddress;
        case ColLoginTime: return r->loginTime;
        case ColPlaylist: return r->playlist;
        case ColDescription: return r->description;
        default: return {};
        }
    case ImageRole: return offline ? 1 : 0;
    case OnlineRole: return !offline;
    case ConnectionIdRole: return r->connectionId;
    case MacRole: return r->macAddress;
    case NameRole: return r->name;
    default: return {};
    }
}

QVariant COnlineModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(online::kColumnHeadings[section]);
}

// ---- events from connection threads -------------------------------------------------------

void COnlineModel::ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                                  const QString& mac) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [=, this] { loggedIn(connectionId, name, ip, mac); },
                                  Qt::QueuedConnection);
        return;
    }
    loggedIn(connectionId, name, ip, mac);
}

void COnlineModel::ClientLoggedOut(quint32 connectionId) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [=, this] { loggedOut(connectionId); },
                                  Qt::QueuedConnection);
        return;
    }
    loggedOut(connectionId);
}

void COnlineModel::ClientEvent(int code, const QString& mac, const QString& text,
                               const PlayerReport& report) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [=, this] { event(code, mac, text, report); },
                                  Qt::QueuedConnection);
        return;
    }
    event(code, mac, text, report);
}

void COnlineModel::loggedIn(quint32 connectionId, const QString& name, const QString& ip,
                            const QString& mac) {
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));

    CClientRecord* rec = nullptr;
    for (auto& r : records_)
        if (sameText(r.name, name)) {
            rec = &r;
            break;
        }
    if (rec) {
        // The same account on a new connection: the older one must go.
        if (rec->connectionId != 0 && rec->connectionId != connectionId && connections_)
            connections_->StopConnection(rec->connectionId);
        rec->loginTime = now;
        Q_EMIT playerOnlineChanged(rec->name, true);
    }

    CUserGroup group;
    CUser user;
    if (!store_.FindUser(name, &group, &user, 0)) return;

    if (rec) {
        rec->name = name;
        rec->ipAddress = ip;
        rec->connectionId = connectionId;
        rec->macAddress = mac;
        rec->loginTime = now;
        rec->group = group.name;
        rec->groupAutoPlay = group.autoPlay != 0;
        rec->status = online::kStatusAlive;
        rec->description = user.description;
    } else {
        CClientRecord r;
        r.serial = nextSerial_++;
        r.name = name;
        r.ipAddress = ip;
        r.macAddress = mac;
        r.loginTime = now;
        r.connectionId = connectionId;
        r.group = group.name;
        r.groupAutoPlay = group.autoPlay != 0;
        r.description = user.description;
        r.playlist = playlistFileName(group.currentPlaylist);
        r.status = connectionId == 0 ? online::kStatusOffline : online::kStatusAlive;
        records_.push_back(r);
        rec = &records_.back();
        Q_EMIT playerOnlineChanged(r.name, true);
    }

    if (!shownByFilter(*rec)) return;
    const quint64 serial = rec->serial;
    if (rowOfSerial(serial) < 0) {
        const int row = int(rows_.size());
        beginInsertRows({}, row, row);
        rows_.push_back(serial);
        endInsertRows();
    } else {
        emitRowChanged(serial);
    }
}

void COnlineModel::loggedOut(quint32 connectionId) {
    for (auto& r : records_) {
        if (r.connectionId != connectionId) continue;
        r.status = online::kStatusOffline;
        emitRowChanged(r.serial);
        Q_EMIT playerOnlineChanged(r.name, false);
        Q_EMIT playerLoggedOut(r.name);
        break;
    }
}

void COnlineModel::event(int code, const QString& mac, const QString& text,
                         const PlayerReport& report) {
    CClientRecord* rec = nullptr;
    for (auto& r : records_)
        if (sameText(r.macAddress, mac)) {
            rec = &r;
            break;
        }
    const bool listed = rec && rowOfSerial(rec->serial) >= 0;
    switch (code) {
    case kEventStatus:
        if (rec) {
            rec->status = text;
            emitRowChanged(rec->serial);
        }
        Q_EMIT reportEvent(code, mac, text, report);
        break;
    case kEventStorageFiles:
    case kEventDeleteDone:
    case kEventPlaylist:
    case kEventPlayReport:
        if (listed) Q_EMIT reportEvent(code, mac, text, report);
        break;
    default: break;
    }
}

// ---- selection and account changes -----------------------------------------------------

bool COnlineModel::shownByFilter(const CClientRecord& r) const {
    if (sameText(filter_, online::kServerFilter)) return true;
    if (mode_ == TargetMode::Player) return r.name == filter_ || sameText(r.name, filter_);
    return r.group == filter_ || sameText(r.group, filter_);
}

void COnlineModel::ShowClients(const QString& filter, TargetMode mode) {
    beginResetModel();
    filter_ = filter;
    mode_ = mode;
    rows_.clear();
    for (const auto& r : records_) {
        if (!shownByFilter(r)) continue;
        rows_.push_back(r.serial);
        if (mode == TargetMode::Player && !sameText(filter, online::kServerFilter)) break;
    }
    endResetModel();
}

void COnlineModel::UpdateClientInfo(const CUser& account) {
    for (auto& r : records_)
        if (r.name == account.name) {
            r.group = account.group;
            r.description = account.description;
            r.groupAutoPlay = groupAutoPlay(account.group);
        }
    ShowClients(filter_, TargetMode::Group);
}

void COnlineModel::RenameGroup(const QString& oldName, const QString& newName) {
    for (auto& r : records_)
        if (r.group == oldName) {
            r.group = newName;
            emitRowChanged(r.serial);
        }
}

void COnlineModel::MoveClient(const QString& name, const QString& newGroup) {
    for (auto& r : records_)
        if (r.name == name) {
            r.group = newGroup;
            r.groupAutoPlay = groupAutoPlay(newGroup);
            emitRowChanged(r.serial);
        }
}

void COnlineModel::RenameClient(const QString& oldName, const QString& newName) {
    for (auto& r : records_)
        if (r.name == oldName) {
            r.name = newName;
            emitRowChanged(r.serial);
            break;
        }
}

void COnlineModel::RemoveClient(const QString& name) {
    for (auto it = records_.begin(); it != records_.end(); ++it) {
        if (it->name != name) continue;
        const int row = rowOfSerial(it->serial);
        if (row >= 0) {
            beginRemoveRows({}, row, row);
            rows_.erase(rows_.begin() + row);
            endRemoveRows();
        }
        records_.erase(it);
        return;
    }
}

void COnlineModel::RemoveGroupRows(const QString& group) {
    // Every record of a deleted group goes, not only the first.
    std::vector<QString> names;
    for (const auto& r : records_)
        if (sameText(r.group, group)) names.push_back(r.name);
    for (const auto& n : names) RemoveClient(n);
}

void COnlineModel::SetPlaylist(const QString& key, const QString& playlistPath, bool byMac) {
    const QString file = playlistFileName(playlistPath);
    for (auto& r : records_)
        if ((byMac ? r.macAddress : r.group) == key) {
            r.playlist = file;
            emitRowChanged(r.serial);
        }
}

int COnlineModel::CountOnline(const QString& group) const {
    int n = 0;
    for (const auto& r : records_)
        if (sameText(r.group, group) && !sameText(r.status, online::kStatusOffline)) ++n;
    return n;
}

void COnlineModel::RefreshGroups() {
    for (auto& r : records_) {
        const bool ap = groupAutoPlay(r.group);
        if (ap != r.groupAutoPlay) {
            r.groupAutoPlay = ap;
            emitRowChanged(r.serial);
        }
    }
}

// ---- posting ------------------------------------------------------------------------------

std::vector<const CClientRecord*> COnlineModel::targets(const QString& key, TargetMode mode) const {
    std::vector<const CClientRecord*> out;
    for (const auto& r : records_) {
        if (mode == TargetMode::Group && !sameText(r.group, key)) continue;
        if (mode == TargetMode::Player && !sameText(r.name, key)) continue;
        out.push_back(&r);
        if (mode == TargetMode::Player) break;
    }
    return out;
}

PostResult COnlineModel::post(const QString& key, int index, TargetMode mode,
                              const OperatorCommandArgs& args, const Filter& accept,
                              bool silentWhenNone, IOperatorPrompt* prompt) {
    PostResult result;
    for (const CClientRecord* r : targets(key, mode)) {
        if (accept && !accept(*r)) continue;
        ++result.targeted;
        OperatorCommandArgs a = args;
        a.macText = r->macAddress;
        if (connections_ && connections_->PostThreadCommand(r->connectionId, index, a))
            ++result.delivered;
    }
    if (result.targeted == 0 && !silentWhenNone)
        (prompt ? *prompt : prompt_)
            .message(QString::fromLatin1(online::kNoClient), IOperatorPrompt::Icon::Information);
    return result;
}

PostResult COnlineModel::PostToClients(const QString& key, int index, TargetMode mode,
                                       const OperatorCommandArgs& args, IOperatorPrompt* prompt) {
    return post(key, index, mode, args, {}, index == kCmdUpdateRss, prompt);
}

PostResult COnlineModel::PostToOnline(const QString& key, int index, TargetMode mode,
                                      IOperatorPrompt* prompt) {
    auto online = [](const CClientRecord& r) { return !sameText(r.status, online::kStatusOffline); };
    return post(key, index, mode, {}, online, false, prompt);
}

PostResult COnlineModel::SendPlaylist(const QString& key, TargetMode mode) {
    bool missing = false;
    auto hasPlaylist = [&](const CClientRecord& r) {
        if (missing) return false;
        CUserGroup g;
        if (store_.FindGroup(r.group, &g) && !g.currentPlaylist.isEmpty() &&
            QFileInfo::exists(g.currentPlaylist))
            return true;
        missing = true;
        prompt_.message(QString::fromLatin1(online::kNoPlaylist), IOperatorPrompt::Icon::Stop);
        return false;
    };
    const bool anyTarget = !targets(key, mode).empty();
    PostResult res = post(key, kCmdSendPlaylist, mode, {}, hasPlaylist, anyTarget);
    return res;
}

PostResult COnlineModel::SendTicker(const QString& key, TargetMode mode, bool update) {
    if (records_.empty()) return {};
    return PostToClients(key, update ? kCmdUpdateRss : kCmdRssMessage, mode);
}

PostResult COnlineModel::SendPicture(const QString& key, TargetMode mode, const QString& imageName,
                                     quint32 displaySeconds) {
    OperatorCommandArgs args;
    args.imageName = imageName;
    args.displaySeconds = displaySeconds;
    return PostToClients(key, kCmdPicture, mode, args);
}

// ---- helpers ------------------------------------------------------------------------------

int COnlineModel::rowOfSerial(quint64 serial) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i] == serial) return int(i);
    return -1;
}

void COnlineModel::emitRowChanged(quint64 serial) {
    const int row = rowOfSerial(serial);
    if (row >= 0) Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

bool COnlineModel::groupAutoPlay(const QString& group) const {
    CUserGroup g;
    return store_.FindGroup(group, &g) && g.autoPlay != 0;
}


}  // namespace lum
