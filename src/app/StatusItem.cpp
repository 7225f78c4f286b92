#include "StatusItem.h"

#include "KTLog.h"
#include "Localization.h"
#include "MenuRetitling.h"
#include "NotificationCenter.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SRImage.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
// Title key and hotkey-label preference of each position.
constexpr std::array<std::pair<const char*, const char*>, StatusItem::kPositions> kEntries = {{
    {"Menu_Edit_Start", PrefKey::EventStartOrStopChar},
    {"Menu_Edit_Pause", PrefKey::EventResumeOrPauseChar},
    {"Menu_Edit_Captrue", PrefKey::EventOnOrOffCaptrueChar},
    {"Menu_Edit_ScreenShort", PrefKey::EventScreenshotChar},
    {"Menu_Edit_DooleTool", PrefKey::EventShowDrawToolChar},
}};
} // namespace

StatusItem::StatusItem(Commands commands, MainWindowHooks mainWindow, QObject* parent)
    : QObject(parent), commands_(std::move(commands)), mainWindow_(std::move(mainWindow)) {
    menu_ = new QMenu("Menu_State");
    const Preferences& store = Preferences::shared();
    for (int position = 0; position < kPositions; ++position) {
        const std::function<void()>& command = commands_[size_t(position)];
        if (!command)
            continue;
        const auto [key, labelKey] = kEntries[size_t(position)];
        QAction* entry = menu_->addAction(Localization::localizedStringForKey(key));
        entry->setObjectName(key);
        entry->setShortcut(QKeySequence(keyEquivalent(store.string(labelKey))));
        entry->setShortcutVisibleInContextMenu(true);
        entry->setEnabled(false);
        connect(entry, &QAction::triggered, this, [command] { command(); });
        entries_[size_t(position)] = entry;
    }
    menu_->addSeparator();
    mainWindowEntry_ = menu_->addAction(QString());
    connect(mainWindowEntry_, &QAction::triggered, this,
            [this] { mainWindow_.showHomeMainWindow(); });
    connect(menu_, &QMenu::aboutToShow, this, &StatusItem::retitleMainWindowEntry);
    retitleMainWindowEntry();

    statusItem_ = new QSystemTrayIcon(SRImage::icon("icon_18"), this);
    statusItem_->setToolTip("Tapedeck");
    statusItem_->setContextMenu(menu_);
    // A plain click opens the menu too, as a menu-bar item does.
    connect(statusItem_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                KTLOG("statusOnClick ----- ");
                if (reason == QSystemTrayIcon::Trigger)
                    menu_->popup(QCursor::pos());
            });
    statusItem_->show();
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &StatusItem::changeLanguage);
}

StatusItem::~StatusItem() {
    delete menu_;
}

bool StatusItem::isEntryEnabled(int position, bool panelShown, unsigned status) {
    if (!panelShown)
        return false;
    return position != Pause || status != 0;
}

QString StatusItem::keyEquivalent(const QString& label) {
    return label.split(' ').last();
}

void StatusItem::refreshStateMenuItem(bool panelShown, unsigned status) {
    for (int position = 0; position < kPositions; ++position)
        if (QAction* entry = entries_[size_t(position)])
            entry->setEnabled(isEntryEnabled(position, panelShown, status));
}

void StatusItem::changeLanguage() {
    retitleMenu(menu_);
    retitleMainWindowEntry();
}

void StatusItem::retitleMainWindowEntry() {
    mainWindowEntry_->setText(
        Localization::localizedStringForKey(mainWindow_.isShown() ? "hideMain" : "showMain"));
}
