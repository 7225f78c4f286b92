#include "PreWatermarkWindowController.h"

#include "Localization.h"
#include "NotificationCenter.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SRClipView.h"
#include "SRImage.h"
#include "WatermarkBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A 16:9 preview, so a box keeps its place and size in a 16:9 recording.
const QSize kPreviewSize(int(kWatermarkPreviewWidth), 334);

QString tr_(const char* key) {
    return Localization::localizedStringForKey(key);
}

} // namespace

PreWatermarkWindowController::PreWatermarkWindowController(const QImage& watermark,
                                                           Platform& platform, QWidget* parent)
    : QDialog(parent) {
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    setStyleSheet("PreWatermarkWindowController { background: rgb(31, 31, 40); }"
                  "QPushButton { background: rgb(47, 55, 65); border: none; padding: 6px 18px;"
                  " color: rgba(215, 214, 217, 178); }");
    titlelabel_ = new QLabel;
    titlelabel_->setAlignment(Qt::AlignCenter);
    titlelabel_->setStyleSheet("color: white; font-size: 14px;");
    titlelabel_->setFixedHeight(25);

    imageView_ = new QLabel;
    imageView_->setFixedSize(kPreviewSize);
    imageView_->setPixmap(SRImage::pixmap("BGImage", kPreviewSize, devicePixelRatioF()));
    const QSizeF base = watermarkBaseSize(watermark.size());
    baseWidth_ = base.width();
    clipView_ = new SRClipView(QRectF(QPointF(0, 0), kPreviewSize), SRClipView::WatermarkPlacement,
                               platform, imageView_);
    clipView_->setScreen({QRectF(QPointF(0, 0), kPreviewSize), 0, false, QString()});
    clipView_->setCompositing(true);
    clipView_->setOverlayAlpha(0);
    clipView_->setWaterImage(watermark);
    clipView_->setLayerBackgroundColor(Qt::transparent);
    clipView_->setHaveSetClearColor(true);
    clipView_->showClipViewWithFrame(initialWatermarkBox(watermark.size()), nullptr);
    // The box is there from the start: the first drag moves it (not only a second one).
    clipView_->setClipState(SRClipView::Established);

    okBtn_ = new QPushButton;
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelBtn_);
    buttons->addWidget(okBtn_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(titlelabel_);
    column->addWidget(imageView_);
    column->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(okBtn_, &QPushButton::clicked, this, &PreWatermarkWindowController::okBtnAction);
    connect(cancelBtn_, &QPushButton::clicked, this, &PreWatermarkWindowController::cancelAction);
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &PreWatermarkWindowController::ChangeLoanguage);
    ChangeLoanguage();
}

void PreWatermarkWindowController::ChangeLoanguage() {
    setWindowTitle(tr_("Pre_Watermark_Title"));
    titlelabel_->setText(windowTitle());
    clipView_->setAccessibleName(tr_("Set_textWaterlabel_8"));
    okBtn_->setText(tr_("Pre_Watermark_OK"));
    cancelBtn_->setText(tr_("Pre_Watermark_Cancel"));
}

void PreWatermarkWindowController::okBtnAction() {
    if (baseWidth_ > 0) {
        const WatermarkPlacement placement =
            placementOfBox(clipView_->contentRect(), kPreviewSize, baseWidth_);
        Preferences& store = Preferences::shared();
        store.setValue(PrefKey::Watermark_center_x, placement.centerX);
        store.setValue(PrefKey::Watermark_center_y, placement.centerY);
        store.setValue(PrefKey::Watermark_scale, placement.scale);
    }
    accept();
}

void PreWatermarkWindowController::cancelAction() {
    reject();
}
