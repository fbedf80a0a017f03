// How the log pane copes with a busy server: 100 players at LOGLEVEL 2, each line of their
// traffic shown in the "Log Data" list (kept to its bound) while the view follows the newest
// line. Prints the time per 1000 lines, with the view shown (offscreen by default).
//
//   log_view_bench [lines=300000] [players=100]
#include "console/LogModel.h"
#include "console/ui/LogPane.h"
#include "core/OperatorPrompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>

#include <cstdio>

namespace {
// Saving is not measured here: nothing to tell the operator.
class SilentPrompt : public lum::IOperatorPrompt {
public:
    void message(const QString&, Icon) override {}
    bool askYesNo(const QString&) override { return false; }
};
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 300000;
    const int players = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;

    SilentPrompt prompt;
    lum::CLogLists lists;
    lum::CLogPane pane(lists, prompt);
    pane.resize(1200, 300);
    pane.show();
    lists.SetClientFilter(QStringLiteral("00-00-00-00-00-07"));

    QElapsedTimer total;
    total.start();
    qint64 worstBatchNs = 0;
    // The log hub hands records over one event at a time; the event loop turns every few lines.
    constexpr int kLinesPerTurn = 20;
    for (int i = 0; i < lines;) {
        QElapsedTimer batch;
        batch.start();
        for (int k = 0; k < kLinesPerTurn && i < lines; ++k, ++i) {
            const int p = i % players;
            const QString mac = QStringLiteral("00-00-00-00-00-%1").arg(p, 2, 10, QLatin1Char('0'));
            lists.addRecord(lum::LogType(1 + i % 2), mac,
                            QStringLiteral("12:00:00     [P%1] 601 Server ALIVE Ack").arg(p));
        }
        app.processEvents();
        worstBatchNs = std::max(worstBatchNs, batch.nsecsElapsed());
    }
    lists.all().flush();
    app.processEvents();
    const double ms = total.nsecsElapsed() / 1e6;
    std::printf("%d lines from %d players: %.1f ms, %.3f ms per 1000 lines, worst event-loop turn "
                "%.2f ms; list holds %d lines\n",
                lines, players, ms, ms * 1000.0 / lines, worstBatchNs / 1e6, lists.all().rowCount());
    return 0;
}
