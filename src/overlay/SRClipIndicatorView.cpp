#include "SRClipIndicatorView.h"

#include "SRButton.h"

namespace {
constexpr int kButtonSize = 24;
constexpr int kLabelX = 10;
} // namespace

SRClipIndicatorView::SRClipIndicatorView(QWidget* parent)
    : QWidget(parent), frameTextField_(new SRButton(this)), okBtn_(new SRButton(this)),
      cancelBtn_(new SRButton(this)) {
    resize(kWidth, kHeight);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        "SRClipIndicatorView { background: rgba(255, 255, 255, 230); border-radius: 4px; }");
    const int buttonY = (kHeight - kButtonSize) / 2;
    cancelBtn_->setImages("NSStopProgressTemplate", QString(), QString());
    cancelBtn_->setGeometry(kWidth - 4 - kButtonSize, buttonY, kButtonSize, kButtonSize);
    okBtn_->setImages("NSMenuOnStateTemplate", QString(), QString());
    okBtn_->setGeometry(cancelBtn_->x() - 2 - kButtonSize, buttonY, kButtonSize, kButtonSize);
    // The label reaches from x 10 to the cancel button, vertically centred.
    frameTextField_->setGeometry(kLabelX, (kHeight - 24) / 2, cancelBtn_->x() - kLabelX, 24);
    // A label only: it never takes a click (disabling it would grey it out).
    frameTextField_->setAttribute(Qt::WA_TransparentForMouseEvents);
    frameTextField_->setFocusPolicy(Qt::NoFocus);
    QPalette palette = frameTextField_->palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    frameTextField_->setPalette(palette);
    okBtn_->raise();
    cancelBtn_->raise();
}

void SRClipIndicatorView::setSelectionSize(const QSizeF& size) {
    frameTextField_->setText(QString::asprintf("%.fx%.f", size.width() - 4, size.height() - 4));
}
