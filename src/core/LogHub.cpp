#include "core/LogHub.h"

#include "core/DataFolder.h"
#include "core/LogFile.h"
#include "core/LogTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>

namespace lum {

namespace {

constexpr int kMaxReportedFailures = 256;
// Longest player file name in bytes; common file systems allow 255.
constexpr int kMaxFileNameBytes = 250;

}  // namespace

CLogHub::CLogHub(const QString& programFolder, int logLevel, QObject* parent)
    : QObject(parent),
      logFolder_(joinPath(programFolder, QString::fromLatin1(kLogDir))),
      logLevel_(logLevel),
      trace_(std::make_unique<CLogFile>(logLevel)) {
    qRegisterMetaType<lum::CLogRecord>();
}

CLogHub::~CLogHub() {
    processPending();
    close();
}

QString CLogHub::tracePath() const {
    return joinPath(logFolder_, QString::fromLatin1(log_texts::kTraceFileName));
}

bool CLogHub::open() {
    QDir().mkpath(logFolder_);
    QString error;
    if (!trace_->open(tracePath(), &error)) {
        reportOpenFailure(tracePath(), error);
        return false;
    }
    reportedFailures_.remove(tracePath());
    return true;
}

void CLogHub::close() { trace_->close(); }

void CLogHub::setClock(std::function<QDateTime()> clock) {
    clock_ = std::move(clock);
    trace_->setClock(clock_);
}

void CLogHub::setLogLevel(int logLevel) {
    logLevel_ = logLevel;
    trace_->setThreshold(logLevel);
}

bool CLogHub::isOpen() const { return trace_->isOpen(); }

void CLogHub::addLog(LogType type, const QString& key, const QString& text) {
    CLogRecord record{clock_(), type, text, key};
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        queue_.push_back(std::move(record));
    }
    QMetaObject::invokeMethod(this, &CLogHub::processOne, Qt::QueuedConnection);
}

void CLogHub::processPending() {
    while (pendingCount() > 0) processOne();
}

void CLogHub::dropPending() {
    std::lock_guard<std::mutex> lock(queueLock_);
    queue_.clear();
}

int CLogHub::pendingCount() const {
    std::lock_guard<std::mutex> lock(queueLock_);
    return static_cast<int>(queue_.size());
}

void CLogHub::processOne() {
    CLogRecord record;
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        if (queue_.empty()) return;
        record = std::move(queue_.front());
        queue_.pop_front();
    }
    handle(record);
}

QString CLogHub::screenLine(const CLogRecord& record) {
    const QTime t = record.time.time();
    return QString::asprintf("%02d:%02d:%02d     ", t.hour(), t.minute(), t.second()) +
           record.text;
}

int CLogHub::levelForType(LogType type) {
    if (type == LogType::SentToPlayer) return 1;
    if (type == LogType::FromPlayer) return 2;
    return 3;
}

QString CLogHub::playerFileName(const QString& text, const QString& key) {
    if (key.isEmpty()) return {};
    const qsizetype bracket = text.indexOf(QLatin1Char(']'));
    QString name = (bracket >= 0 ? text.left(bracket + 1) : QString()) + key;
    // One entry of Log/ whatever the player sent: no separator, no control character.
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c.unicode() == 0x7F)
            c = QLatin1Char('_');
    }
    const QString suffix = QString::fromLatin1(log_texts::kPlayerFileSuffix);
    while (!name.isEmpty() && (name + suffix).toUtf8().size() > kMaxFileNameBytes) name.chop(1);
    return name + suffix;
}

void CLogHub::handle(const CLogRecord& record) {
    if (levelSource_) {
        const int level = levelSource_();
        if (level != logLevel_) setLogLevel(level);
    }
    const int level = levelForType(record.type);
    trace_->writeLine(record.time, level, record.text);
    if (!record.key.isEmpty()) writePlayerFile(record, level);
    Q_EMIT recordAdded(record, screenLine(record));
}

void CLogHub::writePlayerFile(const CLogRecord& record, int level) {
    // The record's type is the threshold: a type below 1 writes nothing, not even the start
    // line, so no empty file is created for it.
    if (record.type == LogType::ServerEvent) return;
    const QString name = playerFileName(record.text, record.key);
    const QString path = joinPath(logFolder_, name);
    if (QFileInfo(path).absolutePath() != QFileInfo(logFolder_).absoluteFilePath()) return;
    QDir().mkpath(logFolder_);
    CLogFile file(int(record.type));
    file.setClock(clock_);
    QString error;
    if (!file.open(path, &error)) {
        reportOpenFailure(path, error);
        return;
    }
    reportedFailures_.remove(path);
    file.writeLine(record.time, level, record.text);
    // A player's file gets one start line per entry and no end line.
    file.setThreshold(0);
}

void CLogHub::reportOpenFailure(const QString& path, const QString& message) {
    if (reportedFailures_.contains(path)) return;
    if (reportedFailures_.size() >= kMaxReportedFailures) reportedFailures_.clear();
    reportedFailures_.insert(path);
    // Through the queue like any entry, so subscribers connected later still see it. No key,
    // so reporting cannot itself try to open a player file.
    addLog(LogType::Error, QString(), message);
}

}  // namespace lum
