#include "monitor/OfflineAlerts.h"

#include <QTimer>

#include <limits>

namespace lum {

namespace {
QString keyOf(const QString& name) { return name.toCaseFolded(); }
}  // namespace

OfflineAlerts::OfflineAlerts(QObject* parent)
    : QObject(parent), clock_([] { return QDateTime::currentDateTime(); }) {}

void OfflineAlerts::playerOnline(const QString& name, const QString& group, const QString& mac) {
    Tracked& t = players_[keyOf(name)];
    t.player = {name, group, mac, {}};
    t.pending = false;
    ++t.generation;  // an offline timer still running finds nothing to do
    if (std::exchange(t.alerted, false)) Q_EMIT backOnline(t.player);
}

void OfflineAlerts::playerOffline(const QString& name, const QString& group, const QString& mac) {
    const auto it = players_.find(keyOf(name));
    // Seen online since start, or not followed at all.
    if (it == players_.end() || it->alerted || it->pending) return;
    const qint64 grace = grace_ ? grace_() : 0;
    if (grace <= 0) return;
    it->player = {name, group, mac, clock_()};
    it->pending = true;
    it->generation = nextGeneration_++;
    const quint64 generation = it->generation;
    const QString key = it.key();
    // QTimer takes an int; a grace of weeks is as good as never.
    const int ms = int(std::min<qint64>(grace, std::numeric_limits<int>::max()));
    QTimer::singleShot(ms, this, [this, key, generation] { expire(key, generation); });
}

void OfflineAlerts::expire(const QString& key, quint64 generation) {
    const auto it = players_.find(key);
    if (it == players_.end() || !it->pending || it->generation != generation) return;
    it->pending = false;
    it->alerted = true;
    ++raised_;
    Q_EMIT alertRaised(it->player);
}

void OfflineAlerts::forget(const QString& name) { players_.remove(keyOf(name)); }

void OfflineAlerts::cancelPending() {
    for (Tracked& t : players_) t.pending = false;
}

bool OfflineAlerts::isAlerted(const QString& name) const {
    const auto it = players_.constFind(keyOf(name));
    return it != players_.cend() && it->alerted;
}

bool OfflineAlerts::isPending(const QString& name) const {
    const auto it = players_.constFind(keyOf(name));
    return it != players_.cend() && it->pending;
}

int OfflineAlerts::activeAlerts() const {
    int n = 0;
    for (const Tracked& t : players_) n += t.alerted ? 1 : 0;
    return n;
}

}  // namespace lum
