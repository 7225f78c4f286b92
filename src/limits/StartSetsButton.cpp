#include "StartSetsButton.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include "AppDelegate.h"
#include "AutoTimeSetWindow.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

namespace {

// Long enough for the windows under a closed menu to have drawn themselves again.
constexpr int kMenuGoneMs = 150;
constexpr int kRecordItem = 1;
constexpr int kScreenshotItem = 2;
constexpr int kStopNowItem = 1;
// Stop-menu items 2, 3 and 4 stop this many seconds after they were chosen.
constexpr double kStopAfter[3] = {600, 1200, 1800};

// Screen readers see the button's menu as its child while it is open (Qt shows a tool
// button's menu only for split buttons), so they can walk into the entries.
class StartSetsAccessible : public QAccessibleWidget {
public:
    explicit StartSetsAccessible(StartSetsButton* button)
        : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

    int childCount() const override { return menu()->isVisible() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && childCount() ? QAccessible::queryAccessibleInterface(menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == menu() ? 0 : -1;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction())
            static_cast<StartSetsButton*>(widget())->click();
    }

private:
    QMenu* menu() const { return static_cast<StartSetsButton*>(widget())->setsMenu(); }
};

QAccessibleInterface* startSetsAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("StartSetsButton"))
        return new StartSetsAccessible(static_cast<StartSetsButton*>(object));
    return nullptr;
}

} // namespace

StartSetsButton::StartSetsButton(AppDelegate& app, std::function<bool()> isWorking, QWidget* parent)
    : QToolButton(parent), app_(app), isWorking_(std::move(isWorking)) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(startSetsAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setArrowType(Qt::DownArrow);
    setFixedSize(24, 40);
    // The arrow is the whole button; the style's second, smaller menu arrow only clutters it.
    setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0; }"));
    // Owned by the button, so screen readers find its entries under it.
    menu_ = new QMenu(this);
    setMenu(menu_);
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        qDeleteAll(menu_->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
        menu_->clear();
        if (isWorking_())
            addStopSetsMenu();
        else
            addStartSetsMenu();
    });
    connect(this, &QToolButton::clicked, this, &StartSetsButton::startSetsItemAction);
    changeLanguage();
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &StartSetsButton::changeLanguage);
}

void StartSetsButton::changeLanguage() {
    setToolTip(Localization::localizedStringForKey("startSetsBtn.toolTip"));
    setAccessibleName(toolTip());
}

void StartSetsButton::startSetsItemAction() {
    // The stop menu opens at its first entry, the start menu at the last one chosen.
    const int selected = isWorking_() ? 0 : app_.limits.startSetsItemIndex;
    menu_->popup(mapToGlobal(QPoint(0, 0)));
    menu_->setActiveAction(menu_->actions().value(selected));
}

void StartSetsButton::addStartSetsMenu() {
    QMenu* const menu = menu_;
    const auto item = [&](QMenu* in, const char* key, auto action) {
        in->addAction(Localization::localizedStringForKey(key), this, action);
    };
    item(menu, "ID_MAINPOPMENU_RECORD", [this] { startSetsItemChangeAction(kRecordItem); });
    item(menu, "ID_MAINPOPMENU_SNAPSHOT", [this] { startSetsItemChangeAction(kScreenshotItem); });
    QMenu* countdown =
        menu->addMenu(Localization::localizedStringForKey("ID_MAINPOPMENU_COUNTDOWN"));
    for (const char* key :
         {"ID_MAINPOPMENU_RECORDTIME1", "ID_MAINPOPMENU_RECORDTIME2", "ID_MAINPOPMENU_RECORDTIME3"})
        item(countdown, key,
             [this, key] { emit countDownAction(Localization::localizedStringForKey(key)); });
    QMenu* autoStop = menu->addMenu(Localization::localizedStringForKey("ID_MAINPOPMENU_AUTOSTOP"));
    for (const char* key : {"ID_MAINPOPMENU_AUTOSTOP_1", "ID_MAINPOPMENU_AUTOSTOP_2"})
        item(autoStop, key,
             [this, key] { autoStopSetsAction(Localization::localizedStringForKey(key)); });
}

void StartSetsButton::addStopSetsMenu() {
    for (int i = 0; i <= 4; ++i)
        menu_->addAction(
            Localization::localizedStringForKey(QString::asprintf("ID_MENU_STOPRECORD_%d", i)),
            this, [this, i] { startSetsItemChangeAction(i + 1); });
}

void StartSetsButton::startSetsItemChangeAction(int item) {
    LimitsGroup& l = app_.limits;
    if (!isWorking_()) {
        app_.capture.isShowReverseTime = false;
        l.startSetsItemIndex = item - 1;
        Preferences::shared().setValue(PrefKey::StartItemIndex, l.startSetsItemIndex);
        if (item == kRecordItem)
            emit recordScreenClicked();
        else if (item == kScreenshotItem)
            QTimer::singleShot(kMenuGoneMs, &app_, [this] { app_.screenshort(); });
        return;
    }
    if (item == kStopNowItem) {
        emit recordScreenClicked();
        return;
    }
    l.autoStop_StartTime = AppDelegate::getNowTimeTimestamp();
    if (item >= 2 && item <= 4)
        l.autoStop_Duration = kStopAfter[item - 2];
    else
        autoStopSetsAction(QString());
}

void StartSetsButton::autoStopSetsAction(const QString& title) {
    if (title == Localization::localizedStringForKey("ID_MAINPOPMENU_AUTOSTOP_1")) {
        // At once: no countdown, whatever the last start chose.
        app_.capture.isShowReverseTime = false;
        emit recordAfterScreenClicked();
        return;
    }
    if (autoStopWindow_) {
        autoStopWindow_->raise();
        return;
    }
    autoStopWindow_ = new AutoTimeSetWindow(app_, window());
    autoStopWindow_->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = autoStopWindow_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        autoStopWindow_->move(frame.topLeft());
    }
    autoStopWindow_->show();
}
