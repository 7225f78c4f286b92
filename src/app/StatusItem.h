// The tray icon ("icon_18") and its menu: start or stop, pause or resume, camera, screenshot
// and drawing tools, each showing the key of its hotkey, then the entry that hides or shows the
// main window. The recording entries start disabled; refreshStateMenuItem enables them.
#pragma once

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QSystemTrayIcon;

class StatusItem : public QObject {
    Q_OBJECT
public:
    // Entry positions of the recording commands.
    enum Position { Start, Pause, Captrue, ScreenShort, DooleTool, kPositions };
    // The command of each position; a position without one has no entry (a command the
    // program does not offer yet).
    using Commands = std::array<std::function<void()>, kPositions>;
    struct MainWindowHooks {
        std::function<bool()> isShown;
        std::function<void()> showHomeMainWindow;
    };

    StatusItem(Commands commands, MainWindowHooks mainWindow, QObject* parent = nullptr);
    ~StatusItem() override;

    // Enables the entries for the main window's state: nothing while it shows the mode
    // choice; pause and resume only while a recording runs (status not idle).
    void refreshStateMenuItem(bool panelShown, unsigned status);
    static bool isEntryEnabled(int position, bool panelShown, unsigned status);
    // The key of a hotkey label ("⌘ 1" -> "1"): its last space-separated part.
    static QString keyEquivalent(const QString& label);

    QSystemTrayIcon* statusItem() const { return statusItem_; }
    QMenu* menu() const { return menu_; }
    // Retitles every entry from the current table.
    void changeLanguage();

private:
    void retitleMainWindowEntry();

    Commands commands_;
    MainWindowHooks mainWindow_;
    QMenu* menu_ = nullptr;
    QSystemTrayIcon* statusItem_ = nullptr;
    std::array<QAction*, kPositions> entries_{};
    QAction* mainWindowEntry_ = nullptr;
};
