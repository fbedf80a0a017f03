#pragma once
// Offline alerts: a player that was online and stays offline longer than the grace time raises
// one alert; its return raises one "back online". Only players seen online since this object
// was made (since the program started) are followed, so a restart does not report the whole
// fleet. Lives on the main thread; the grace time is read at each logout, so a changed setting
// applies to the next one.

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

namespace lum {

struct OfflinePlayer {
    QString name;
    QString group;
    QString mac;
    QDateTime lastSeen;  // when it went offline
};

class OfflineAlerts : public QObject {
    Q_OBJECT
public:
    explicit OfflineAlerts(QObject* parent = nullptr);

    // The grace time in milliseconds; 0 or less turns alerts off (pending ones are dropped at
    // the next logout check).
    void setGraceSource(std::function<qint64()> graceMs) { grace_ = std::move(graceMs); }
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    void playerOnline(const QString& name, const QString& group, const QString& mac);
    void playerOffline(const QString& name, const QString& group, const QString& mac);
    // The account went away: nothing more is said about it.
    void forget(const QString& name);
    // The operator stopped the server: the players it disconnected are not alerted. Alerts
    // already raised stay until their players return.
    void cancelPending();

    bool isAlerted(const QString& name) const;
    bool isPending(const QString& name) const;
    int activeAlerts() const;
    quint64 alertsRaised() const { return raised_; }

Q_SIGNALS:
    void alertRaised(const lum::OfflinePlayer& player);
    void backOnline(const lum::OfflinePlayer& player);

private:
    struct Tracked {
        OfflinePlayer player;
        quint64 generation = 0;  // a timer of an older offline period finds a newer one
        bool pending = false;
        bool alerted = false;
    };
    void expire(const QString& key, quint64 generation);

    std::function<qint64()> grace_;
    std::function<QDateTime()> clock_;
    QHash<QString, Tracked> players_;  // by case-folded name
    quint64 nextGeneration_ = 1;
    quint64 raised_ = 0;
};

}  // namespace lum
