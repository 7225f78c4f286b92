#include "SRClipIndicatorView.h"

#include "Localization.h"
#include "NotificationCenter.h"
#include "SRButton.h"

#include <QFontMetrics>

#include <algorithm>

namespace {
constexpr int kButtonSize = 24;
constexpr int kLabelX = 10;
// Between the size text and the OK button, and around the buttons.
constexpr int kGap = 4;
} // namespace

SRClipIndicatorView::SRClipIndicatorView(QWidget* parent)
    : QWidget(parent), frameTextField_(new SRButton(this)), okBtn_(new SRButton(this)),
      cancelBtn_(new SRButton(this)) {
    resize(kWidth, kHeight);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        "SRClipIndicatorView { background: rgba(255, 255, 255, 230); border-radius: 4px; }");
    cancelBtn_->setImages("NSStopProgressTemplate", QString(), QString());
    okBtn_->setImages("NSMenuOnStateTemplate", QString(), QString());
    // A label only: it never takes a click (disabling it would grey it out).
    frameTextField_->setAttribute(Qt::WA_TransparentForMouseEvents);
    frameTextField_->setFocusPolicy(Qt::NoFocus);
    QPalette palette = frameTextField_->palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    frameTextField_->setPalette(palette);
    layOut();
    retitle();
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &SRClipIndicatorView::retitle);
}

void SRClipIndicatorView::retitle() {
    const std::pair<SRButton*, const char*> buttons[] = {{okBtn_, "btnOK"},
                                                         {cancelBtn_, "btnCancel"}};
    // An image-only button takes its tool tip as its name.
    for (const auto& [button, key] : buttons)
        button->setToolTip(Localization::localizedStringForKey(key));
}

void SRClipIndicatorView::setSelectionSize(const QSizeF& size) {
    frameTextField_->setText(QString::asprintf("%.fx%.f", size.width() - 4, size.height() - 4));
    layOut();
}

void SRClipIndicatorView::layOut() {
    const int textWidth =
        QFontMetrics(frameTextField_->font()).horizontalAdvance(frameTextField_->text());
    const int buttonsWidth = 2 * kButtonSize + 2 + kGap;
    const int width = std::max(kWidth, kLabelX + textWidth + kGap + buttonsWidth);
    // Keep the right edge where it was, so the box still ends at the selection's edge.
    setGeometry(x() + this->width() - width, y(), width, kHeight);
    const int buttonY = (kHeight - kButtonSize) / 2;
    cancelBtn_->setGeometry(width - kGap - kButtonSize, buttonY, kButtonSize, kButtonSize);
    okBtn_->setGeometry(cancelBtn_->x() - 2 - kButtonSize, buttonY, kButtonSize, kButtonSize);
    // The text reaches from x 10 to just short of OK, vertically centred.
    frameTextField_->setGeometry(kLabelX, (kHeight - 24) / 2, okBtn_->x() - kGap - kLabelX, 24);
}
