#include "LimitWindowButtons.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppDelegate.h"
#include "AutoSplitSetsWindow.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "TimeEndWindowColler.h"

namespace {

QToolButton* smallButton(const QString& glyph) {
    auto* b = new QToolButton;
    b->setText(glyph);
    b->setFixedSize(28, 20);
    b->setAutoRaise(true);
    return b;
}

QRect screenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

LimitWindowButtons::LimitWindowButtons(AppDelegate& app, EncodeManager& encoder, QWidget* parent)
    : QWidget(parent), app_(app), encoder_(encoder) {
    timeSetsBtn_ = smallButton(QString::fromUtf8("◷"));
    autoSplitBtn_ = smallButton(QString::fromUtf8("✂"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(timeSetsBtn_);
    column->addWidget(autoSplitBtn_);
    connect(timeSetsBtn_, &QToolButton::clicked, this, &LimitWindowButtons::timeSetsAction);
    connect(autoSplitBtn_, &QToolButton::clicked, this, &LimitWindowButtons::autoSplitSetsAction);
    changeLanguage();
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &LimitWindowButtons::changeLanguage);
}

void LimitWindowButtons::changeLanguage() {
    timeSetsBtn_->setToolTip(Localization::localizedStringForKey("TM_MessageLabel_Title"));
    timeSetsBtn_->setAccessibleName(timeSetsBtn_->toolTip());
    autoSplitBtn_->setToolTip(Localization::localizedStringForKey("Auto_Title"));
    autoSplitBtn_->setAccessibleName(autoSplitBtn_->toolTip());
}

void LimitWindowButtons::timeSetsAction() {
    if (!timeWindow_)
        timeWindow_ = new TimeEndWindowColler(app_, window());
    timeWindow_->showCustomTime();
    timeWindow_->adjustSize();
    // Centred across the screen, just below the main window.
    const QRect area = screenArea();
    const QRect main = window()->frameGeometry();
    const int y = std::min(main.bottom() + 8, area.bottom() - timeWindow_->height());
    timeWindow_->move(area.center().x() - timeWindow_->width() / 2, y);
    timeWindow_->show();
    timeWindow_->raise();
    timeWindow_->activateWindow();
}

void LimitWindowButtons::autoSplitSetsAction() {
    if (!splitWindow_)
        splitWindow_ = new AutoSplitSetsWindow(app_, encoder_, window());
    splitWindow_->adjustSize();
    QRect frame = splitWindow_->frameGeometry();
    frame.moveCenter(screenArea().center());
    splitWindow_->move(frame.topLeft());
    splitWindow_->show();
}
