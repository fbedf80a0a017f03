#pragma once
// The online list: one record per player that logged in since start, the rows of the current
// selection (all players, one group or one player), and the one implementation of sending an
// operator command to players (ICommandSender).
//
// Lives on the main thread. The control server calls ClientLoggedIn, ClientLoggedOut and
// ClientEvent from connection threads, and the ticker worker sends from its own; those calls
// are queued to the main thread, so no other thread ever waits for the user interface.

#include "console/ClientRecord.h"
#include "core/CommandSender.h"
#include "core/PlayerEvent.h"

#include <QAbstractTableModel>

#include <vector>

namespace lum {

class CUserStore;
class CUser;
class ILogSink;

// What the online model needs of the control server.
class IPlayerConnections {
public:
    virtual ~IPlayerConnections() = default;
    // Ends that connection; may serve the main thread's events while it waits.
    virtual void StopConnection(quint32 connectionId) = 0;
    // Queues an operator command on that connection's thread; false when it no longer runs.
    virtual bool PostThreadCommand(quint32 connectionId, CommandIndex index,
                                   const OperatorCommandArgs& args) = 0;
};

class COnlineModel : public QAbstractTableModel, public ICommandSender {
    Q_OBJECT
public:
    enum Column { ColUser, ColGroup, ColStatus, ColIp, ColMac, ColLoginTime, ColPlaylist,
                  ColDescription, ColumnCount };
    enum Role { ImageRole = Qt::UserRole + 1, ConnectionIdRole, MacRole, NameRole, OnlineRole,
                AlertRole };

    explicit COnlineModel(CUserStore& store, QObject* parent = nullptr);

    void setConnections(IPlayerConnections* connections) { connections_ = connections; }
    // Where the model says that it ended a deleted account's connection.
    void setLog(ILogSink* log) { log_ = log; }

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // From the control server; any thread.
    void ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                        const QString& mac);
    void ClientLoggedOut(quint32 connectionId);
    void ClientEvent(PlayerEvent code, const QString& mac, const QString& text);

    // From the account tree and dialogs; main thread. The filter is the tree's selection: the
    // root shows every record, a group its records, a player its first record.
    void ShowClients(const CommandTarget& filter);
    void UpdateClientInfo(const CUser& account);
    void RenameGroup(const QString& oldName, const QString& newName);
    void RenameClient(const QString& oldName, const QString& newName);
    // A deleted account's (or group's) records go; a player still connected is disconnected.
    void RemoveClient(const QString& name);
    void RemoveGroupRows(const QString& group);
    // The playlist last sent to a group, shown for its players.
    void SetPlaylist(const QString& group, const QString& playlistPath);
    int CountOnline(const QString& group) const;
    // Re-reads each record's group flags (AutoPlay) from the store.
    void RefreshGroups();
    // Marks the player's record as alerted (offline past the grace time) or clears the mark.
    void setAlerted(const QString& name, bool alerted);

    // ICommandSender
    PostResult send(const CommandTarget& target, CommandIndex index,
                    const OperatorCommandArgs& args = {}) override;
    QString onlinePlayerByMac(const QString& mac) const override;

    // Records in list order (a copy; main thread).
    std::vector<CClientRecord> records() const { return records_; }
    const CClientRecord* recordAtRow(int row) const;
    const CommandTarget& filter() const { return filter_; }

Q_SIGNALS:
    // The account tree shows a player on or off line.
    void playerOnlineChanged(const QString& name, bool online);
    // Report events (1001, 1002, 1004, 1006) for a listed player, and every status change.
    // `player` is the user name of the record holding the MAC text (empty when none does).
    void reportEvent(lum::PlayerEvent code, const QString& player, const QString& mac,
                     const QString& text);
    // A player logged out: the per-player file and report lists are emptied.
    void playerLoggedOut(const QString& name);
    // What monitoring follows, whether or not the player is in the current selection: a login
    // or logout with the record as it now stands, every event of a player with a record, and
    // every command posted with what it reached.
    void playerPresence(const lum::CClientRecord& record, bool online);
    void playerActivity(lum::PlayerEvent code, const lum::CClientRecord& record, const QString& text);
    void commandPosted(const lum::CommandTarget& target, lum::CommandIndex index,
                       const lum::PostResult& result);

private:
    void loggedIn(quint32 connectionId, const QString& name, const QString& ip, const QString& mac);
    void loggedOut(quint32 connectionId);
    void applyEvent(PlayerEvent code, const QString& mac, const QString& text);
    PostResult post(const CommandTarget& target, CommandIndex index, const OperatorCommandArgs& args);

    CClientRecord* recordByName(const QString& name);
    const CClientRecord* recordByMac(const QString& mac) const;
    bool shownByFilter(const CClientRecord& r) const;
    bool fileInPlace(const CClientRecord& r, CommandIndex index) const;
    int rowOfSerial(quint64 serial) const;
    void emitRowChanged(quint64 serial);
    bool groupAutoPlay(const QString& group) const;

    CUserStore& store_;
    IPlayerConnections* connections_ = nullptr;
    ILogSink* log_ = nullptr;

    std::vector<CClientRecord> records_;
    std::vector<quint64> rows_;  // serials of the shown records, in list order
    quint64 nextSerial_ = 1;
    CommandTarget filter_;
};

}  // namespace lum
