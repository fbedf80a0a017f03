#include "console/LogModel.h"

#include "console/ConsoleTexts.h"
#include "core/AtomicFile.h"
#include "core/Codepage.h"
#include "core/OperatorPrompt.h"

#include <QFile>

namespace lum {

namespace {
// Lines that arrive together (a burst of player reports) reach the view in one insertion.
constexpr int kFlushDelayMs = 30;
}  // namespace

CLogModel::CLogModel(int maxLines, QObject* parent)
    : QAbstractListModel(parent), maxLines_(maxLines > 0 ? maxLines : 1) {
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kFlushDelayMs);
    connect(&flushTimer_, &QTimer::timeout, this, &CLogModel::flush);
}

int CLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(lines_.size());
}

QVariant CLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= int(lines_.size())) return {};
    const Line& l = lines_[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return l.text;
    case Qt::ForegroundRole:
        return colourForType(l.type);
    case TypeRole:
        return int(l.type);
    default:
        return {};
    }
}

QColor CLogModel::colourForType(LogType type) {
    switch (type) {
    case LogType::SentToPlayer: return QColor(0, 130, 0);
    case LogType::FromPlayer: return QColor(0, 0, 255);
    case LogType::Error: return QColor(255, 0, 0);
    default: return QColor(0, 0, 0);
    }
}

void CLogModel::append(LogType type, const QString& line) {
    pending_.push_back({line, type});
    // More queued lines than the bound: the oldest of them would be dropped anyway.
    if (pending_.size() > size_t(maxLines_))
        pending_.erase(pending_.begin(), pending_.end() - maxLines_);
    if (!flushTimer_.isActive()) flushTimer_.start();
}

void CLogModel::flush() {
    flushTimer_.stop();
    if (pending_.empty()) return;
    const size_t incoming = pending_.size();
    const size_t total = lines_.size() + incoming;
    if (total > size_t(maxLines_)) {
        const size_t drop = std::min(lines_.size(), total - size_t(maxLines_));
        if (drop > 0) {
            beginRemoveRows({}, 0, int(drop) - 1);
            lines_.erase(lines_.begin(), lines_.begin() + std::ptrdiff_t(drop));
            endRemoveRows();
        }
    }
    const int first = int(lines_.size());
    beginInsertRows({}, first, first + int(incoming) - 1);
    for (Line& l : pending_) lines_.push_back(std::move(l));
    pending_.clear();
    endInsertRows();
    Q_EMIT linesAppended();
}

void CLogModel::clear() {
    flushTimer_.stop();
    pending_.clear();
    if (lines_.empty()) return;
    beginResetModel();
    lines_.clear();
    endResetModel();
}

QStringList CLogModel::lines() const {
    QStringList out;
    out.reserve(int(lines_.size() + pending_.size()));
    for (const Line& l : lines_) out.append(l.text);
    for (const Line& l : pending_) out.append(l.text);
    return out;
}

bool saveLogLines(const QStringList& lines, const QString& path, IOperatorPrompt& prompt) {
    QByteArray data;
    for (const QString& line : lines) {
        data += toAnsi(line);
        data += '\n';
    }
    if (!writeFileAtomic(path, data)) {
        prompt.message(QString::fromLatin1(console_texts::kLogCannotCreate) + path,
                       IOperatorPrompt::Icon::Stop);
        return false;
    }
    if (!lines.isEmpty())
        prompt.message(QString::fromLatin1(console_texts::kLogSaved),
                       IOperatorPrompt::Icon::Information);
    return true;
}

CLogLists::CLogLists(int maxLines, QObject* parent)
    : QObject(parent), all_(maxLines, this), player_(maxLines, this) {}

void CLogLists::addRecord(LogType type, const QString& key, const QString& screenLine) {
    all_.append(type, screenLine);
    if (!filter_.isEmpty() && filter_.contains(key)) player_.append(type, screenLine);
}

void CLogLists::SetClientFilter(const QString& mac) {
    if (filter_.compare(mac, Qt::CaseInsensitive) == 0) return;
    filter_ = mac;
    player_.clear();
}

void CLogLists::Clear() { all_.clear(); }

}  // namespace lum
