#include "DoodleWhiteWindow.h"

#include "DrawToolButton.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "WindowDragger.h"

#include <QLabel>

namespace {

constexpr int kStripHeight = 28;
const QColor kBackground(31, 31, 40);

} // namespace

DoodleWhiteWindow::DoodleWhiteWindow(const QRect& screen)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint),
      strip_(new QWidget(this)), title_(new QLabel(strip_)),
      closeButton_(new DrawToolButton(0, QStringLiteral("关闭"), strip_)),
      contentView_(new DrawView(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, kBackground);
    colors.setColor(QPalette::WindowText, Qt::lightGray);
    setPalette(colors);
    setAutoFillBackground(true);
    new WindowDragger(strip_);
    title_->setAlignment(Qt::AlignCenter);
    closeButton_->setFixedSize(20, 20);
    connect(closeButton_, &QAbstractButton::clicked, this, [this] {
        close();
        emit closeClicked();
    });
    connect(contentView_->drawView(), &DrawTouchPointView::wantsKeyboard, this,
            [this] { activateWindow(); });
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &DoodleWhiteWindow::retitle);
    retitle();
    setGeometry(QRect(0, 0, screen.width() * 3 / 4, screen.height() * 3 / 4));
    move(screen.center() - rect().center());
}

void DoodleWhiteWindow::orderFront() {
    show();
    raise();
}

void DoodleWhiteWindow::resizeEvent(QResizeEvent*) {
    strip_->setGeometry(0, 0, width(), kStripHeight);
    title_->setGeometry(strip_->rect());
    closeButton_->move(width() - closeButton_->width() - 6, (kStripHeight - 20) / 2);
    contentView_->setGeometry(0, kStripHeight, width(), height() - kStripHeight);
}

void DoodleWhiteWindow::retitle() {
    const QString title = Localization::localizedStringForKey(QStringLiteral("whiteBtn.toolTip"));
    setWindowTitle(title);
    title_->setText(title);
    setAccessibleName(title);
    closeButton_->setAccessibleName(
        Localization::localizedStringForKey(QStringLiteral("Draw_Close")));
    closeButton_->setToolTip(closeButton_->accessibleName());
}
