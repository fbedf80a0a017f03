#pragma once
// The online list: one record per player that logged in since start, the rows of the current
// selection (all players, one group or one player), and the targeting of operator commands.
//
// Lives on the main thread. The control server calls ClientLoggedIn, ClientLoggedOut and
// ClientEvent from connection threads; those calls are queued to the main thread, so a
// connection thread never waits for the user interface.

#include "console/ClientRecord.h"
#include "server/OperatorCommand.h"
#include "server/PlayerMessages.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

namespace lum {

class CUserStore;
class CUserGroup;
class CUser;
class IOperatorPrompt;

// What the online model needs of the control server.
class IPlayerConnections {
public:
    virtual ~IPlayerConnections() = default;
    virtual void StopConnection(quint32 connectionId) = 0;
    // Queues an operator command on that connection's thread; false when it no longer runs.
    virtual bool PostThreadCommand(quint32 connectionId, int index,
                                   const OperatorCommandArgs& args) = 0;
};

// Who a command goes to.
enum class TargetMode : int { All = 0, Group = 1, Player = 2 };

struct PostResult {
    int targeted = 0;   // records chosen as targets
    int delivered = 0;  // of those, connections that were still running
};

class COnlineModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColUser, ColGroup, ColStatus, ColIp, ColMac, ColLoginTime, ColPlaylist,
                  ColDescription, ColumnCount };
    enum Role { ImageRole = Qt::UserRole + 1, ConnectionIdRole, MacRole, NameRole, OnlineRole };

    COnlineModel(CUserStore& store, IOperatorPrompt& prompt, QObject* parent = nullptr);

    void setConnections(IPlayerConnections* connections) { connections_ = connections; }

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // From the control server; any thread.
    void ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                        const QString& mac);
    void ClientLoggedOut(quint32 connectionId);
    void ClientEvent(int code, const QString& mac, const QString& text,
                     const PlayerReport& report = {});

    // From the account tree and dialogs; main thread.
    void ShowClients(const QString& filter, TargetMode mode);
    void UpdateClientInfo(const CUser& account);
    void RenameGroup(const QString& oldName, const QString& newName);
    void MoveClient(const QString& name, const QString& newGroup);
    void RenameClient(const QString& oldName, const QString& newName);
    void RemoveClient(const QString& name);
    void RemoveGroupRows(const QString& group);
    void SetPlaylist(const QString& key, const QString& playlistPath, bool byMac);
    int CountOnline(const QString& group) const;
    // Re-reads each record's group flags (AutoPlay) from the store.
    void RefreshGroups();

    // Command posting; main thread. "No client is online ..." is shown when nothing was targeted
    // (never for command 14).
    // `prompt` replaces the model's own for this call (lumctl collects the messages).
    PostResult PostToClients(const QString& key, int index, TargetMode mode,
                             const OperatorCommandArgs& args = {},
                             IOperatorPrompt* prompt = nullptr);
    // Like PostToClients, but only to players that are online (EZ-Play's playlist command).
    PostResult PostToOnline(const QString& key, int index, TargetMode mode,
                            IOperatorPrompt* prompt = nullptr);
    // Index 3: only to players whose group's current playlist file exists.
    PostResult SendPlaylist(const QString& key, TargetMode mode);
    // Index 13 or 14 after the ticker text was prepared; silent when no player is known.
    PostResult SendTicker(const QString& key, TargetMode mode, bool update);
    // Index 45 with the picture name and its display time.
    PostResult SendPicture(const QString& key, TargetMode mode, const QString& imageName,
                           quint32 displaySeconds);

    // Records in list order (a copy; main thread).
    std::vector<CClientRecord> records() const { return records_; }
    const CClientRecord* recordAtRow(int row) const;
    QString filter() const { return filter_; }
    TargetMode filterMode() const { return mode_; }

Q_SIGNALS:
    // The account tree shows a player on or off line.
    void playerOnlineChanged(const QString& name, bool online);
    // Report events (1001, 1002, 1004, 1006) for a listed player, and every status change.
    void reportEvent(int code, const QString& mac, const QString& text, const lum::PlayerReport& r);
    // A player logged out: the per-player file and report lists are emptied.
    void playerLoggedOut(const QString& name);

private:
    void loggedIn(quint32 connectionId, const QString& name, const QString& ip, const QString& mac);
    void loggedOut(quint32 connectionId);
    void event(int code, const QString& mac, const QString& text, const PlayerReport& report);

    using Filter = std::function<bool(const CClientRecord&)>;
    PostResult post(const QString& key, int index, TargetMode mode, const OperatorCommandArgs& args,
                    const Filter& accept, bool silentWhenNone, IOperatorPrompt* prompt = nullptr);
    std::vector<const CClientRecord*> targets(const QString& key, TargetMode mode) const;

    bool shownByFilter(const CClientRecord& r) const;
    int rowOfSerial(quint64 serial) const;
    void emitRowChanged(quint64 serial);
    bool groupAutoPlay(const QString& group) const;

    CUserStore& store_;
    IOperatorPrompt& prompt_;
    IPlayerConnections* connections_ = nullptr;

    std::vector<CClientRecord> records_;
    std::vector<quint64> rows_;  // serials of the shown records, in list order
    quint64 nextSerial_ = 1;
    QString filter_;
    TargetMode mode_ = TargetMode::All;
};

}  // namespace lum

Q_DECLARE_METATYPE(lum::PlayerReport)
