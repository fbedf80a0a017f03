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
      m_logFolder(joinPath(programFolder, QString::fromLatin1(kLogDir))),
      m_logLevel(logLevel),
      m_trace(std::make_unique<CLogFile>(logLevel)) {
    qRegisterMetaType<lum::CLogRecord>();
}

CLogHub::~CLogHub() {
    processPending();
    close();
}

QString CLogHub::tracePath() const {
    return joinPath(m_logFolder, QString::fromLatin1(logtext::kTraceFileName));
}

bool CLogHub::open() {
    QDir().mkpath(m_logFolder);
    QString error;
    if (!m_trace->open(tracePath(), &error)) {
        reportOpenFailure(tracePath(), error);
        return false;
    }
    m_reportedFailures.remove(tracePath());
    return true;
}

void CLogHub::close() { m_trace->close(); }

void CLogHub::setClock(std::function<QDateTime()> clock) {
    m_clock = std::move(clock);
    m_trace->setClock(m_clock);
}

void CLogHub::setLogLevel(int logLevel) {
    m_logLevel = logLevel;
    m_trace->setThreshold(logLevel);
}

bool CLogHub::isOpen() const { return m_trace->isOpen(); }

void CLogHub::addLog(int type, const QString& key, const QString& text) {
    CLogRecord record{m_clock(), type, text, key};
    {
        std::lock_guard<std::mutex> lock(m_queueLock);
        m_queue.push_back(std::move(record));
    }
    QMetaObject::invokeMethod(this, &CLogHub::processOne, Qt::QueuedConnection);
}

void CLogHub::processPending() {
    while (pendingCount() > 0) processOne();
}

void CLogHub::dropPending() {
    std::lock_guard<std::mutex> lock(m_queueLock);
    m_queue.clear();
}

int CLogHub::pendingCount() const {
    std::lock_guard<std::mutex> lock(m_queueLock);
    return static_cast<int>(m_queue.size());
}

void CLogHub::processOne() {
    CLogRecord record;
    {
        std::lock_guard<std::mutex> lock(m_queueLock);
        if (m_queue.empty()) return;
        record = std::move(m_queue.front());
        m_queue.pop_front();
    }
    handle(record);
}

QString CLogHub::screenLine(const CLogRecord& record) {
    const QTime t = record.time.time();
    return QString::asprintf("%02d:%02d:%02d     ", t.hour(), t.minute(), t.second()) +
           record.text;
}

int CLogHub::levelForType(int type) {
    if (type == kLogSentToPlayer) return 1;
    if (type == kLogFromPlayer) return 2;
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
    const QString suffix = QString::fromLatin1(logtext::kPlayerFileSuffix);
    while (!name.isEmpty() && (name + suffix).toUtf8().size() > kMaxFileNameBytes) name.chop(1);
    return name + suffix;
}

void CLogHub::handle(const CLogRecord& record) {
    if (m_levelSource) {
        const int level = m_levelSource();
        if (level != m_logLevel) setLogLevel(level);
    }
    const int level = levelForType(record.type);
    m_trace->writeLine(record.time, level, record.text);
    if (!record.key.isEmpty()) writePlayerFile(record, level);
    Q_EMIT recordAdded(record, screenLine(record));
}

void CLogHub::writePlayerFile(const CLogRecord& record, int level) {
    // The record's type is the threshold: a type below 1 writes nothing, not even the start
    // line, so no empty file is created for it.
    if (record.type < 1) return;
    const QString name = playerFileName(record.text, record.key);
    const QString path = joinPath(m_logFolder, name);
    if (QFileInfo(path).absolutePath() != QFileInfo(m_logFolder).absoluteFilePath()) return;
    QDir().mkpath(m_logFolder);
    CLogFile file(record.type);
    file.setClock(m_clock);
    QString error;
    if (!file.open(path, &error)) {
        reportOpenFailure(path, error);
        return;
    }
    m_reportedFailures.remove(path);
    file.writeLine(record.time, level, record.text);
    // A player's file gets one start line per entry and no end line.
    file.setThreshold(0);
}

void CLogHub::reportOpenFailure(const QString& path, const QString& message) {
    if (m_reportedFailures.contains(path)) return;
    if (m_reportedFailures.size() >= kMaxReportedFailures) m_reportedFailures.clear();
    m_reportedFailures.insert(path);
    // Through the queue like any entry, so subscribers connected later still see it. No key,
    // so reporting cannot itself try to open a player file.
    addLog(kLogError, QString(), message);
}

}  // namespace lum
