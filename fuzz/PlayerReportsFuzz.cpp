// Report files a player uploads (storage list, playlist report, playback report) and the delete
// list, as the console reads them; what is shown stays within the stated bounds.
#include "FuzzSupport.h"
#include "playlists/ReportModels.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    lumfuzz::Input in(data, size);
    const uint8_t which = in.byte();
    const QByteArray bytes = in.rest();
    const QString path = lumfuzz::writeScratch(QStringLiteral("report.zeb"), bytes);
    switch (which % 4) {
    case 0: {
        StorageListModel m;
        m.showReport(path);
        LUM_FUZZ_CHECK(m.rowCount() <= 10000);
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.columnCount(); ++c) (void)m.data(m.index(r, c));
        break;
    }
    case 1:
    case 2: {
        PlaylistReportModel m;
        m.show(path, QString(), which % 4 == 1 ? PlaylistReportModel::Mode::Playlist
                                               : PlaylistReportModel::Mode::PlaybackReport);
        LUM_FUZZ_CHECK(m.rowCount() <= 10000);
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.columnCount(); ++c) (void)m.data(m.index(r, c));
        break;
    }
    default:
        lumfuzz::writeScratch(QStringLiteral("File2Del.zeb"), bytes);
        (void)readDeleteList(lumfuzz::scratch());
        break;
    }
    return 0;
}
