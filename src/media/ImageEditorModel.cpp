#include "media/ImageEditorModel.h"

#include "core/DataFolder.h"
#include "media/MediaTexts.h"
#include "media/YuvImage.h"

#include <QDateTime>
#include <QThread>

namespace lum {

CImageEditorModel::CImageEditorModel(QObject* parent) : QAbstractListModel(parent) {
    qRegisterMetaType<lum::ZoneItem>();
    qRegisterMetaType<QList<lum::ZoneItem>>();
}

int CImageEditorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(state_.slides.size());
}

QVariant CImageEditorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return state_.slides[index.row()];
    return {};
}

QVariant CImageEditorModel::headerData(int section, Qt::Orientation o, int role) const {
    if (section != 0 || o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromLatin1(media_texts::kColFileName);
}

void CImageEditorModel::setZoneItems(const QList<ZoneItem>& items) {
    beginResetModel();
    state_ = imageEditorStateFor(items);
    openingBanner_ = state_.banner;
    endResetModel();
}

int CImageEditorModel::addPictures(const QStringList& paths) {
    QStringList added;
    for (const QString& p : paths)
        if (!p.trimmed().isEmpty()) added << p;
    if (added.isEmpty()) return -1;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(added.size()) - 1);
    state_.slides << added;
    endInsertRows();
    return first;
}

int CImageEditorModel::removePicture(int row) {
    if (row < 0 || row >= rowCount()) return -1;
    beginRemoveRows({}, row, row);
    state_.slides.removeAt(row);
    endRemoveRows();
    if (state_.slides.isEmpty()) return -1;
    return std::min(row, int(state_.slides.size()) - 1);
}

void CImageEditorModel::clearPictures() {
    if (state_.slides.isEmpty()) return;
    beginResetModel();
    state_.slides.clear();
    endResetModel();
}

int CImageEditorModel::movePictureUp(int row) {
    if (row <= 0 || row >= rowCount()) return row;
    beginMoveRows({}, row, row, {}, row - 1);
    state_.slides.move(row, row - 1);
    endMoveRows();
    return row - 1;
}

int CImageEditorModel::movePictureDown(int row) {
    if (row < 0 || row >= rowCount() - 1) return row;
    // Qt names the destination as the row before which the moved row lands.
    beginMoveRows({}, row, row, {}, row + 2);
    state_.slides.move(row, row + 1);
    endMoveRows();
    return row + 1;
}

QList<PreviewZone> previewZones() {
    // Banner across the top, the slide zone under it on the left, the clock's logo zone to its
    // right and the ticker along the bottom.
    return {
        {PreviewZone::TopBanner, QRect(0, 0, kBannerWidth, kBannerHeight), QColor(230, 114, 11)},
        {PreviewZone::PictureZone, QRect(0, kBannerHeight, kSlideSize, kSlideSize), QColor(200, 31, 224)},
        {PreviewZone::LogoZone, QRect(kSlideSize, kBannerHeight, 720, 60), QColor(39, 132, 207)},
        {PreviewZone::Ticker, QRect(0, kBannerHeight + kSlideSize, kPreviewWidth, 60), QColor(9, 55, 20)},
    };
}

QString previewClockText(const QDateTime& now) {
    return now.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QImage previewImage(const QString& path, const QString& programFolder) {
    if (path.isEmpty()) return {};
    if (!isYuvFile(path)) return QImage(path);
    RgbPlanes planes;
    if (!readYuv(path, &planes)) return {};
    const QString bmp = joinPath(programFolder, QString::fromLatin1(media_texts::kPreviewBmp));
    if (!writeBmp24(bmp, planes)) return {};
    return QImage(bmp, "BMP");
}

CZoneConversionJob::CZoneConversionJob(ImageEditorState state, QString yuvDir, QObject* parent)
    : QObject(parent), state_(std::move(state)), yuvDir_(std::move(yuvDir)),
      cancel_(std::make_shared<std::atomic<bool>>(false)) {
    qRegisterMetaType<QList<lum::ZoneItem>>();
}

CZoneConversionJob::~CZoneConversionJob() {
    if (!thread_) return;
    cancel_->store(true);
    thread_->wait();
    delete thread_;
}

void CZoneConversionJob::start() {
    if (thread_) return;
    auto cancel = cancel_;
    thread_ = QThread::create([this, cancel, state = state_, dir = yuvDir_] {
        bool cancelled = false;
        const QList<ZoneItem> items = applyImageEditor(
            state, dir, [this](int percent) { Q_EMIT progress(percent); }, cancel.get(), &cancelled);
        Q_EMIT finished(items, cancelled);
    });
    thread_->start();
}

void CZoneConversionJob::cancel() { cancel_->store(true); }

bool CZoneConversionJob::isRunning() const { return thread_ && thread_->isRunning(); }

}  // namespace lum
