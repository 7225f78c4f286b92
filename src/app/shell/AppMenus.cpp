#include "AppMenus.h"

#include "AppDelegate.h"
#include "CameraSwitch.h"
#include "Localization.h"
#include "MainWindow.h"
#include "NotificationCenter.h"
#include "RecordFlows.h"
#include "ResourceUrl.h"
#include "StatusItem.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QLayout>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {
// Long enough for the windows under a closed menu to have drawn themselves again.
constexpr int kMenuGoneMs = 150;

QAction* addEntry(QMenu* menu, const char* key, int tag = 0) {
    QAction* entry = menu->addAction(Localization::localizedStringForKey(key));
    entry->setObjectName(key);
    entry->setData(tag);
    return entry;
}

QMenu* addMenu(QMenuBar* bar, const char* key) {
    QMenu* menu = bar->addMenu(Localization::localizedStringForKey(key));
    menu->menuAction()->setObjectName(key);
    return menu;
}
} // namespace

AppMenus::AppMenus(AppDelegate& app, RecordFlows& flows, MainWindow& window)
    : app_(app), flows_(flows), window_(window) {
    addStatusItem();
    buildMenuBar();
    refreshStateMenuItem();
    connect(&flows_, &RecordFlows::stateMenuChanged, this, &AppMenus::refreshStateMenuItem);
    connect(&flows_, &RecordFlows::recordingStopped, &app_, &AppDelegate::enterFileListAction);
    // The badge of this desktop: the tray's tool tip, as the window title shows it too.
    connect(&flows_, &RecordFlows::progressChanged, this, [this](const QString& time) {
        statusItem_->statusItem()->setToolTip(app_.ui.recording ? "Tapedeck — " + time
                                                                : QString("Tapedeck"));
    });
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &AppMenus::checkLanguage);
}

AppMenus::~AppMenus() = default;

void AppMenus::addStatusItem() {
    StatusItem::Commands commands;
    commands[StatusItem::Start] = [this] { flows_.recordScreenClicked(); };
    commands[StatusItem::Pause] = [this] { flows_.pauseOrResumeAction(); };
    commands[StatusItem::Captrue] = [this] { flows_.cameraSwitch().OnorOffCaptrueCamera(); };
    commands[StatusItem::ScreenShort] = [this] { screenshotAfterMenu(); };
    commands[StatusItem::DooleTool] = [this] { app_.showDoodleToolAction(); };
    statusItem_ = new StatusItem(
        commands, {[this] { return isMainWindowShown(); }, [this] { showHomeMainWindow(); }}, this);
}

void AppMenus::buildMenuBar() {
    menuBar_ = new QMenuBar(&window_);
    QMenu* record = addMenu(menuBar_, "Menu_Record");
    recordEntries_ = {addEntry(record, "Menu_Edit_Start", StartOrStop),
                      addEntry(record, "Menu_Edit_Pause", PauseOrResume),
                      addEntry(record, "Menu_Edit_ScreenShort", ScreenShort),
                      addEntry(record, "Menu_Edit_Captrue", CameraOnOrOff)};
    record->addSeparator();
    connect(addEntry(record, "Menu_Edit_DooleTool"), &QAction::triggered, &app_,
            &AppDelegate::showDoodleToolAction);
    connect(addEntry(record, "Menu_FileList"), &QAction::triggered, &app_,
            &AppDelegate::enterFileListAction);
    connect(addEntry(record, "setsBtn.toolTip"), &QAction::triggered, &app_,
            &AppDelegate::settingAction);

    // Each language by its own name, whatever the current one.
    languages_ = addMenu(menuBar_, "Menu_Language");
    auto* group = new QActionGroup(languages_);
    const std::pair<const char*, int> names[] = {
        {"English", English}, {"简体中文", SimplifiedChinese}, {"繁體中文", TraditionalChinese}};
    for (const auto& [name, tag] : names) {
        QAction* entry = languages_->addAction(QString::fromUtf8(name));
        entry->setData(tag);
        entry->setCheckable(true);
        group->addAction(entry);
    }
    addEntry(addMenu(menuBar_, "Menu_Help"), "Menu_Help_Item", Help);
    connect(menuBar_, &QMenuBar::triggered, this,
            [this](QAction* entry) { showHelp(entry->data().toInt()); });
    window_.layout()->setMenuBar(menuBar_);
    checkLanguage();
}

void AppMenus::showHelp(int tag) {
    switch (tag) {
    case Help:
        QDesktopServices::openUrl(urlForAddress(Localization::localizedStringForKey("HelpUrl")));
        break;
    case English:
    case SimplifiedChinese:
    case TraditionalChinese:
        app_.setLange(tag - English);
        break;
    case StartOrStop:
        flows_.recordScreenClicked();
        break;
    case PauseOrResume:
        flows_.pauseOrResumeAction();
        break;
    case ScreenShort:
        screenshotAfterMenu();
        break;
    case CameraOnOrOff:
        flows_.cameraSwitch().OnorOffCaptrueCamera();
        break;
    default:
        break;
    }
}

void AppMenus::screenshotAfterMenu() {
    QTimer::singleShot(kMenuGoneMs, &app_, [this] { app_.screenshort(); });
}

bool AppMenus::isMainWindowShown() const {
    return window_.isVisible() && !window_.isMinimized();
}

void AppMenus::showHomeMainWindow() {
    if (isMainWindowShown()) {
        window_.hide();
        return;
    }
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
}

void AppMenus::refreshStateMenuItem() {
    const bool panelShown = window_.isRecordPanelShown();
    const unsigned status = flows_.recordManager().status();
    statusItem_->refreshStateMenuItem(panelShown, status);
    // The menu bar's recording commands follow the tray's rule.
    const StatusItem::Position positions[] = {StatusItem::Start, StatusItem::Pause,
                                              StatusItem::ScreenShort, StatusItem::Captrue};
    for (size_t i = 0; i < recordEntries_.size(); ++i)
        recordEntries_[i]->setEnabled(StatusItem::isEntryEnabled(positions[i], panelShown, status));
}

void AppMenus::checkLanguage() {
    const int language = Localization::currentLanguage();
    for (QAction* entry : languages_->actions())
        entry->setChecked(entry->data().toInt() == English + language);
}
