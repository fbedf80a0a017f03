#include "core/LogPrinter.h"

#include "core/LogHub.h"

namespace lum {

CLogPrinter::CLogPrinter(CLogHub* hub, std::FILE* out, QObject* parent)
    : QObject(parent), out_(out) {
    connect(hub, &CLogHub::recordAdded, this, &CLogPrinter::print);
}

void CLogPrinter::print(const CLogRecord&, const QString& screenLine) {
    const QByteArray line = screenLine.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), out_);
    std::fflush(out_);
}

}  // namespace lum
