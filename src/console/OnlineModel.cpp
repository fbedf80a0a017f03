#include "console/OnlineModel.h"

#include "accounts/UserStore.h"
#include "console/OnlineTexts.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/LogSink.h"
#include "core/TsanAnnotations.h"

#include <QColor>
#include <QDateTime>
#include <QFileInfo>
#include <QPointer>
#include <QThread>

namespace lum {

namespace {

bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isOnline(const CClientRecord& r) { return !sameText(r.status, online_texts::kStatusOffline); }

// File name of a playlist path: the part after the last separator, leading separators trimmed.
QString playlistFileName(const QString& path) {
    QString p = path;
    while (p.startsWith('\\') || p.startsWith('/')) p.remove(0, 1);
    return fileNameOfPath(p);
}

}  // namespace

COnlineModel::COnlineModel(CUserStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {}

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
    const bool online = isOnline(*r);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColUser: return r->name;
        case ColGroup:
            return r->groupAutoPlay
                       ? QStringLiteral("%1(%2)").arg(r->group, QLatin1String(online_texts::kAutoPlay))
                       : r->group;
        case ColStatus: return r->status;
        case ColIp: return r->ipAddress;
        case ColMac: return r->macAddress;
        case ColLoginTime: return r->loginTime;
        case ColPlaylist: return r->playlist;
        case ColDescription: return r->description;
        default: return {};
        }
    case ImageRole: return online ? 0 : 1;
    case OnlineRole: return online;
    case AlertRole: return r->alerted;
    case Qt::BackgroundRole:
        // A player offline past the grace time stands out in the list.
        if (r->alerted) return QColor(255, 205, 205);
        return {};
    case Qt::ForegroundRole:
        if (r->alerted) return QColor(150, 0, 0);
        return {};
    case ConnectionIdRole: return r->connectionId;
    case MacRole: return r->macAddress;
    case NameRole: return r->name;
    default: return {};
    }
}

QVariant COnlineModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(online_texts::kColumnHeadings[section]);
}

// ---- events from connection threads -------------------------------------------------------

void COnlineModel::ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                                  const QString& mac) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, handOff([=, this] { loggedIn(connectionId, name, ip, mac); }),
                                  Qt::QueuedConnection);
        return;
    }
    loggedIn(connectionId, name, ip, mac);
}

void COnlineModel::ClientLoggedOut(quint32 connectionId) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, handOff([=, this] { loggedOut(connectionId); }),
                                  Qt::QueuedConnection);
        return;
    }
    loggedOut(connectionId);
}

void COnlineModel::ClientEvent(PlayerEvent code, const QString& mac, const QString& text) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, handOff([=, this] { applyEvent(code, mac, text); }),
                                  Qt::QueuedConnection);
        return;
    }
    applyEvent(code, mac, text);
}

void COnlineModel::loggedIn(quint32 connectionId, const QString& name, const QString& ip,
                            const QString& mac) {
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));

    // The same account on a new connection: the older one must go. Stopping it serves the
    // event loop (logins, logouts, account deletions), so no record is held across it.
    if (const CClientRecord* old = recordByName(name);
        old && old->connectionId != 0 && old->connectionId != connectionId && connections_)
        connections_->StopConnection(old->connectionId);

    CUserGroup group;
    CUser user;
    if (!store_.FindUser(name, &group, &user, 0)) return;

    CClientRecord* rec = recordByName(name);
    if (!rec) {
        CClientRecord r;
        r.serial = nextSerial_++;
        r.playlist = playlistFileName(group.currentPlaylist);
        records_.push_back(r);
        rec = &records_.back();
    }
    rec->name = name;
    rec->ipAddress = ip;
    rec->connectionId = connectionId;
    rec->macAddress = mac;
    rec->loginTime = now;
    rec->group = group.name;
    rec->groupAutoPlay = group.autoPlay != 0;
    rec->description = user.description;
    rec->status = connectionId == 0 ? online_texts::kStatusOffline : online_texts::kStatusAlive;
    const quint64 serial = rec->serial;
    const bool shown = shownByFilter(*rec);
    const CClientRecord snapshot = *rec;
    Q_EMIT playerOnlineChanged(name, true);
    if (connectionId != 0) Q_EMIT playerPresence(snapshot, true);

    if (!shown) return;
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
        r.status = online_texts::kStatusOffline;
        emitRowChanged(r.serial);
        const CClientRecord snapshot = r;
        Q_EMIT playerOnlineChanged(snapshot.name, false);
        Q_EMIT playerLoggedOut(snapshot.name);
        Q_EMIT playerPresence(snapshot, false);
        break;
    }
}

void COnlineModel::applyEvent(PlayerEvent code, const QString& mac, const QString& text) {
    CClientRecord* rec = const_cast<CClientRecord*>(recordByMac(mac));
    const QString player = rec ? rec->name : QString();
    const bool listed = rec && rowOfSerial(rec->serial) >= 0;
    switch (code) {
    case PlayerEvent::Status:
        if (rec) {
            rec->status = text;
            emitRowChanged(rec->serial);
        }
        if (rec) Q_EMIT playerActivity(code, CClientRecord(*rec), text);
        Q_EMIT reportEvent(code, player, mac, text);
        break;
    case PlayerEvent::StorageFiles:
    case PlayerEvent::DeleteDone:
    case PlayerEvent::Playlist:
    case PlayerEvent::PlayReport:
        if (rec) Q_EMIT playerActivity(code, CClientRecord(*rec), text);
        if (listed) Q_EMIT reportEvent(code, player, mac, text);
        break;
    default: break;
    }
}

// ---- selection and account changes -----------------------------------------------------

bool COnlineModel::shownByFilter(const CClientRecord& r) const {
    switch (filter_.kind) {
    case CommandTarget::Kind::Group: return sameText(r.group, filter_.name);
    case CommandTarget::Kind::Player: return sameText(r.name, filter_.name);
    case CommandTarget::Kind::Mac: return sameText(r.macAddress, filter_.name);
    case CommandTarget::Kind::All: break;
    }
    return true;
}

void COnlineModel::ShowClients(const CommandTarget& filter) {
    beginResetModel();
    filter_ = filter;
    rows_.clear();
    for (const auto& r : records_) {
        if (!shownByFilter(r)) continue;
        rows_.push_back(r.serial);
        if (filter_.kind == CommandTarget::Kind::Player) break;  // the first record only
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
    // The selection as it stands: a moved account leaves or joins the shown group.
    ShowClients(filter_);
}

void COnlineModel::RenameGroup(const QString& oldName, const QString& newName) {
    for (auto& r : records_)
        if (r.group == oldName) {
            r.group = newName;
            emitRowChanged(r.serial);
        }
    // The renamed group stays selected: its later logins must still show.
    if (filter_.kind == CommandTarget::Kind::Group && sameText(filter_.name, oldName))
        filter_.name = newName;
}

void COnlineModel::RenameClient(const QString& oldName, const QString& newName) {
    for (auto& r : records_)
        if (r.name == oldName) {
            r.name = newName;
            emitRowChanged(r.serial);
            break;
        }
    if (filter_.kind == CommandTarget::Kind::Player && sameText(filter_.name, oldName))
        filter_.name = newName;
}

void COnlineModel::RemoveClient(const QString& name) {
    auto it = std::find_if(records_.begin(), records_.end(),
                           [&](const CClientRecord& r) { return r.name == name; });
    if (it == records_.end()) return;
    const int row = rowOfSerial(it->serial);
    if (row >= 0) {
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }
    const bool connected = isOnline(*it) && it->connectionId != 0;
    const quint32 connectionId = it->connectionId;
    const QString mac = it->macAddress;
    records_.erase(it);
    // A deleted account's player would stay connected but unlisted, beyond every command. It
    // may log in again under the login rules.
    if (connected && connections_) {
        if (log_)
            log_->addLog(LogType::ServerEvent, mac,
                         QString::fromLatin1(online_texts::kDeletedAccountDisconnected).arg(name));
        connections_->StopConnection(connectionId);
    }
}

void COnlineModel::RemoveGroupRows(const QString& group) {
    // Every record of a deleted group goes, not only the first.
    QStringList names;
    for (const auto& r : records_)
        if (sameText(r.group, group)) names << r.name;
    for (const auto& n : names) RemoveClient(n);
}

void COnlineModel::SetPlaylist(const QString& group, const QString& playlistPath) {
    const QString file = playlistFileName(playlistPath);
    for (auto& r : records_)
        if (r.group == group) {
            r.playlist = file;
            emitRowChanged(r.serial);
        }
}

int COnlineModel::CountOnline(const QString& group) const {
    return int(std::count_if(records_.begin(), records_.end(), [&](const CClientRecord& r) {
        return sameText(r.group, group) && isOnline(r);
    }));
}

void COnlineModel::setAlerted(const QString& name, bool alerted) {
    if (CClientRecord* r = recordByName(name); r && r->alerted != alerted) {
        r->alerted = alerted;
        emitRowChanged(r->serial);
    }
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

// ---- sending ------------------------------------------------------------------------------

PostResult COnlineModel::send(const CommandTarget& target, CommandIndex index,
                              const OperatorCommandArgs& args) {
    if (QThread::currentThread() != thread()) {
        QPointer<COnlineModel> self = this;
        QMetaObject::invokeMethod(this, handOff([self, target, index, args] {
            if (self) self->post(target, index, args);
        }), Qt::QueuedConnection);
        PostResult queued;
        queued.queued = true;
        return queued;
    }
    return post(target, index, args);
}

bool COnlineModel::fileInPlace(const CClientRecord& r, CommandIndex index) const {
    if (index != CommandIndex::SendPlaylist && index != CommandIndex::InstantMessage) return true;
    CUserGroup g;
    if (!store_.FindGroup(r.group, &g)) return false;
    if (index == CommandIndex::SendPlaylist)
        return !g.currentPlaylist.isEmpty() && QFileInfo::exists(g.currentPlaylist);
    return QFileInfo::exists(
        joinPath(store_.homeDirectoryFor(g.name), QString::fromLatin1(fixed_names::kInstantMessage)));
}

PostResult COnlineModel::post(const CommandTarget& target, CommandIndex index,
                              const OperatorCommandArgs& args) {
    PostResult result;
    std::vector<const CClientRecord*> chosen;
    if (target.kind == CommandTarget::Kind::Mac) {
        if (const CClientRecord* r = recordByMac(target.name)) chosen.push_back(r);
    } else {
        for (const auto& r : records_) {
            if (!isOnline(r)) continue;
            if (target.kind == CommandTarget::Kind::Group && !sameText(r.group, target.name)) continue;
            if (target.kind == CommandTarget::Kind::Player && !sameText(r.name, target.name)) continue;
            chosen.push_back(&r);
            if (target.kind == CommandTarget::Kind::Player) break;
        }
    }
    for (const CClientRecord* r : chosen) {
        if (!fileInPlace(*r, index)) {
            ++result.missingFile;
            // Without its playlist a group's players would fetch nothing: the operator is told
            // once and nothing more is sent.
            if (index == CommandIndex::SendPlaylist) break;
            continue;
        }
        OperatorCommandArgs a = args;
        a.macText = r->macAddress;
        ++result.targeted;
        if (connections_ && connections_->PostThreadCommand(r->connectionId, index, a))
            ++result.delivered;
    }
    Q_EMIT commandPosted(target, index, result);
    return result;
}

QString COnlineModel::onlinePlayerByMac(const QString& mac) const {
    const CClientRecord* r = recordByMac(mac);
    return r ? r->name : QString();
}

// ---- helpers ------------------------------------------------------------------------------

CClientRecord* COnlineModel::recordByName(const QString& name) {
    for (auto& r : records_)
        if (sameText(r.name, name)) return &r;
    return nullptr;
}

// The one rule for finding a player by its MAC text: the first record, in list order, that is
// online and holds the text without regard to case. Players report the hex digits in either
// case and the same text names their report files, which are found without regard to case as
// well; an offline record can hold the same text (the device logged in before under another
// account) and must not catch a command or a report meant for the one now connected.
const CClientRecord* COnlineModel::recordByMac(const QString& mac) const {
    if (mac.isEmpty()) return nullptr;
    for (const auto& r : records_)
        if (isOnline(r) && sameText(r.macAddress, mac)) return &r;
    return nullptr;
}

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
