#include "media/ui/DlgImageEditor.h"

#include "core/AppProfile.h"
#include "media/MediaTexts.h"
#include "media/ui/MediaWindowTexts.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace lum {

namespace t = media_window_texts;

namespace {
QString L(const char* s) { return uiText(s); }
const QString kTopBanners = QString::fromLatin1(media_texts::kTopBannersKey);
}  // namespace

CZonePreview::CZonePreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(384, 216);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CZonePreview::setBanner(const QImage& image) {
    banner_ = image;
    update();
}

void CZonePreview::setSlide(const QImage& image) {
    slide_ = image;
    update();
}

void CZonePreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    // The screen keeps its shape inside the widget.
    const QSize screen(kPreviewWidth, kPreviewHeight);
    const QSize fitted = screen.scaled(size(), Qt::KeepAspectRatio);
    const QRect area(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    p.translate(area.topLeft());
    p.scale(double(area.width()) / kPreviewWidth, double(area.height()) / kPreviewHeight);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font = p.font();
    font.setPixelSize(30);
    p.setFont(font);
    for (const PreviewZone& z : previewZones()) {
        p.fillRect(z.rect, z.colour);
        p.setPen(Qt::white);
        switch (z.kind) {
        case PreviewZone::TopBanner:
            // Drawn stretched, as the conversion stretches it.
            if (!banner_.isNull()) p.drawImage(z.rect, banner_);
            break;
        case PreviewZone::PictureZone:
            if (!slide_.isNull()) p.drawImage(z.rect, slide_);
            break;
        case PreviewZone::LogoZone:
            p.drawText(z.rect, Qt::AlignCenter, previewClockText(QDateTime::currentDateTime()));
            break;
        case PreviewZone::Ticker:
            p.drawText(z.rect.adjusted(16, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                       L(t::kSampleTicker));
            break;
        }
    }
}

CDlgImageEditor::CDlgImageEditor(const QString& programFolder, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder) {
    setWindowTitle(L(t::kEditorTitle));
    yuvDir_ = ensureYuvFolder(programFolder_);

    // Banner: template, picture field with its history, Browse.
    auto* bannerBox = new QGroupBox(L(t::kTopBanner), this);
    template1_ = new QRadioButton(L(t::kTemplate1), bannerBox);
    template2_ = new QRadioButton(L(t::kTemplate2), bannerBox);
    auto* templates = new QButtonGroup(this);
    templates->addButton(template1_);
    templates->addButton(template2_);
    template1_->setChecked(true);
    banner_ = new QComboBox(bannerBox);
    banner_->setEditable(true);
    banner_->setInsertPolicy(QComboBox::NoInsert);
    banner_->setMinimumContentsLength(30);
    banner_->setAccessibleName(L(t::kTopBanner));
    auto* browse = new QPushButton(L(t::kBrowseDots), bannerBox);
    auto* bannerGrid = new QGridLayout(bannerBox);
    bannerGrid->addWidget(template1_, 0, 0);
    bannerGrid->addWidget(template2_, 0, 1);
    bannerGrid->addWidget(banner_, 1, 0, 1, 2);
    bannerGrid->addWidget(browse, 1, 2);
    bannerGrid->setColumnStretch(1, 1);

    // Slides: the picture list and its commands, the duration.
    auto* slideBox = new QGroupBox(L(t::kPictureZone), this);
    list_ = new QTreeView(slideBox);
    list_->setModel(&model_);
    list_->setRootIsDecorated(false);
    list_->setAccessibleName(QString::fromLatin1(media_texts::kColFileName));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumHeight(150);
    auto* add = new QPushButton(L(t::kAddDots), slideBox);
    auto* del = new QPushButton(L(t::kDelete), slideBox);
    auto* clear = new QPushButton(L(t::kClear), slideBox);
    auto* up = new QPushButton(L(t::kUp), slideBox);
    auto* down = new QPushButton(L(t::kDown), slideBox);
    auto* listButtons = new QVBoxLayout;
    for (QPushButton* b : {add, del, clear, up, down}) listButtons->addWidget(b);
    listButtons->addStretch();
    duration_ = new QComboBox(slideBox);
    for (const char* c : t::kSlideChoices) duration_->addItem(L(c));
    auto* durationLabel = new QLabel(L(t::kPlayEachSlideFor), slideBox);
    durationLabel->setBuddy(duration_);
    auto* slideGrid = new QGridLayout(slideBox);
    slideGrid->addWidget(list_, 0, 0, 1, 2);
    slideGrid->addLayout(listButtons, 0, 2);
    slideGrid->addWidget(durationLabel, 1, 0);
    slideGrid->addWidget(duration_, 1, 1, Qt::AlignLeft);

    preview_ = new CZonePreview(this);
    preview_->setAccessibleName(L(t::kPreview));
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setAccessibleName(L(t::kProgress));
    ok_ = new QPushButton(L(t::kOk), this);
    auto* cancel = new QPushButton(L(t::kCancel), this);
    ok_->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(bannerBox);
    left->addWidget(slideBox, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(preview_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progress_, 1);
    bottom->addWidget(ok_);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(1040, 460);

    editing_ = {template1_, template2_, banner_, browse, list_, add, del, clear, up, down,
                duration_, ok_};

    // The banner's history from the profile; the last choice heads the list.
    const BannerHistory history = readBannerHistory(*openAppProfile(), kTopBanners);
    banner_->addItems(history.entries);
    banner_->setCurrentIndex(-1);
    banner_->setEditText(QString());

    connect(browse, &QPushButton::clicked, this, &CDlgImageEditor::browseBanner);
    connect(add, &QPushButton::clicked, this, &CDlgImageEditor::addPictures);
    connect(del, &QPushButton::clicked, this, &CDlgImageEditor::deletePicture);
    connect(clear, &QPushButton::clicked, this, &CDlgImageEditor::clearPictures);
    connect(up, &QPushButton::clicked, this, &CDlgImageEditor::moveUp);
    connect(down, &QPushButton::clicked, this, &CDlgImageEditor::moveDown);
    connect(ok_, &QPushButton::clicked, this, &CDlgImageEditor::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgImageEditor::reject);
    connect(banner_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        model_.setBanner(text.trimmed());
        showBannerPreview();
    });
    connect(template1_, &QRadioButton::toggled, this, [this](bool on) {
        model_.setBannerTemplate(on ? BannerTemplate::Template1 : BannerTemplate::Template2);
    });
    connect(duration_, &QComboBox::currentIndexChanged, this,
            [this](int i) { model_.setSlideChoice(i); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CDlgImageEditor::showSlidePreview);
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b != ok_) b->setAutoDefault(false);
    nameControlsByLabels(this);
}

CDlgImageEditor::~CDlgImageEditor() {
    // A conversion still running stops before its next picture; its thread is waited for.
    delete job_.data();
}

void CDlgImageEditor::setZoneItems(const std::vector<PlaylistItem>& items) {
    model_.setZoneItems(zoneItemsOf(items));
    const ImageEditorState s = model_.state();
    (s.bannerTemplate == BannerTemplate::Template2 ? template2_ : template1_)->setChecked(true);
    banner_->setEditText(s.banner);
    model_.setBanner(s.banner);
    duration_->setCurrentIndex(s.slideChoice);
    if (model_.rowCount() > 0) selectRow(0);
    showBannerPreview();
}

int CDlgImageEditor::currentRow() const {
    const QModelIndex i = list_->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void CDlgImageEditor::selectRow(int row) {
    if (row < 0) {
        list_->setCurrentIndex({});
        preview_->setSlide({});
        return;
    }
    list_->setCurrentIndex(model_.index(row, 0));
    showSlidePreview();
}

void CDlgImageEditor::showBannerPreview() {
    preview_->setBanner(previewImage(model_.banner(), programFolder_));
}

void CDlgImageEditor::showSlidePreview() {
    const int row = currentRow();
    preview_->setSlide(row < 0 ? QImage() : previewImage(model_.pictures().value(row), programFolder_));
}

void CDlgImageEditor::browseBanner() {
    FileChoice c;
    c.filter = QString::fromLatin1(media_texts::kPictureFilter);
    const QStringList chosen = chooser_(this, c);
    if (!chosen.isEmpty()) banner_->setEditText(chosen.first());
}

void CDlgImageEditor::addPictures() {
    FileChoice c;
    c.mode = FileChoice::Mode::OpenMany;
    c.filter = QString::fromLatin1(media_texts::kPictureFilter);
    const int first = model_.addPictures(chooser_(this, c));
    if (first >= 0) selectRow(first);
}

void CDlgImageEditor::deletePicture() { selectRow(model_.removePicture(currentRow())); }

void CDlgImageEditor::clearPictures() {
    model_.clearPictures();
    selectRow(-1);
}

void CDlgImageEditor::moveUp() { selectRow(model_.movePictureUp(currentRow())); }

void CDlgImageEditor::moveDown() { selectRow(model_.movePictureDown(currentRow())); }

void CDlgImageEditor::setEditing(bool on) {
    for (QWidget* w : editing_) w->setEnabled(on);
}

void CDlgImageEditor::accept() {
    if (job_) return;
    model_.setBanner(banner_->currentText().trimmed());
    setEditing(false);
    progress_->setValue(0);
    job_ = new CZoneConversionJob(model_.state(), yuvDir_, this);
    connect(job_, &CZoneConversionJob::progress, progress_, &QProgressBar::setValue);
    connect(job_, &CZoneConversionJob::finished, this, &CDlgImageEditor::onConverted);
    job_->start();
}

void CDlgImageEditor::onConverted(const QList<ZoneItem>& items, bool cancelled) {
    if (job_) job_->deleteLater();
    job_ = nullptr;
    if (cancelled) {
        setEditing(true);
        progress_->setValue(0);
        Q_EMIT conversionFinished(true);
        return;
    }
    progress_->setValue(100);
    result_ = items;
    if (!model_.banner().isEmpty())
        recordBannerChoice(*openAppProfile(), kTopBanners, model_.banner());
    Q_EMIT conversionFinished(false);
    QDialog::accept();
}

void CDlgImageEditor::reject() {
    if (job_) {
        job_->cancel();
        return;
    }
    QDialog::reject();
}

bool runImageEditor(QWidget* parent, std::vector<PlaylistItem>& zoneItems,
                    const QString& programFolder, FileChooser chooser) {
    CDlgImageEditor dlg(programFolder, parent);
    if (chooser) dlg.setFileChooser(std::move(chooser));
    dlg.setZoneItems(zoneItems);
    if (dlg.exec() != QDialog::Accepted) return false;
    zoneItems = dlg.zoneItems();
    return true;
}

}  // namespace lum
