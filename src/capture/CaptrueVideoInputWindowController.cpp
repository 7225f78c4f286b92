#include "CaptrueVideoInputWindowController.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSizeGrip>
#include <QToolButton>

#include "Localization.h"
#include "SRVideoView.h"
#include "WindowDragger.h"

namespace {

constexpr int kTitleBarHeight = 24;

} // namespace

CaptrueVideoInputWindowController::CaptrueVideoInputWindowController(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      videoContentView_(new SRVideoView(this)), titleBar_(new QWidget(this)),
      titleLabel_(new QLabel("摄像头", titleBar_)), closeButton_(new QToolButton(titleBar_)),
      grip_(new QSizeGrip(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(kWidth, kHeight);
    setMinimumSize(120, 90);
    // Moved by dragging the picture.
    new WindowDragger(videoContentView_);

    titleBar_->setAutoFillBackground(true);
    QPalette bar = titleBar_->palette();
    bar.setColor(QPalette::Window, QColor(40, 40, 40));
    bar.setColor(QPalette::WindowText, Qt::white);
    bar.setColor(QPalette::ButtonText, Qt::white);
    titleBar_->setPalette(bar);
    titleLabel_->setAlignment(Qt::AlignCenter);
    closeButton_->setText("✕");
    closeButton_->setAutoRaise(true);
    closeButton_->setPalette(bar);
    auto* row = new QHBoxLayout(titleBar_);
    row->setContentsMargins(4, 0, 4, 0);
    row->addWidget(closeButton_);
    row->addWidget(titleLabel_, 1);
    row->addSpacing(closeButton_->sizeHint().width());
    connect(closeButton_, &QToolButton::clicked, this, &QWidget::close);
    showTitleBar(false);
}

void CaptrueVideoInputWindowController::setCameraName(const QString& name) {
    titleLabel_->setText(name);
    setWindowTitle(name);
    setAccessibleName(name);
    closeButton_->setAccessibleName(Localization::localizedStringForKey("Draw_Close"));
}

void CaptrueVideoInputWindowController::showPicture(const QImage& picture) {
    if (gone_)
        setCameraGone(false);
    videoContentView_->setPicture(picture);
}

void CaptrueVideoInputWindowController::setCameraGone(bool gone) {
    gone_ = gone;
    videoContentView_->setNotice(gone ? Localization::localizedStringForKey("Camera_Gone")
                                      : QString());
}

void CaptrueVideoInputWindowController::placeAtBottomRight(const QRect& screen) {
    move(screen.right() + 1 - width() - kMargin, screen.bottom() + 1 - kMargin - height());
}

bool CaptrueVideoInputWindowController::titleBarShown() const {
    return !titleBar_->isHidden();
}

void CaptrueVideoInputWindowController::showTitleBar(bool shown) {
    titleBar_->setVisible(shown);
    grip_->setVisible(shown);
    if (shown)
        titleBar_->raise();
}

void CaptrueVideoInputWindowController::enterEvent(QEnterEvent*) {
    showTitleBar(true);
}

void CaptrueVideoInputWindowController::leaveEvent(QEvent*) {
    showTitleBar(false);
}

void CaptrueVideoInputWindowController::closeEvent(QCloseEvent* event) {
    showTitleBar(false);
    event->accept();
    if (windowShouldClose)
        windowShouldClose();
}

void CaptrueVideoInputWindowController::resizeEvent(QResizeEvent*) {
    videoContentView_->setGeometry(rect());
    titleBar_->setGeometry(0, 0, width(), kTitleBarHeight);
    grip_->move(width() - grip_->sizeHint().width(), height() - grip_->sizeHint().height());
}
