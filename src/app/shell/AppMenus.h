// The main window's menu bar and the tray menu, wired to the record flows and the application
// controller: recording commands, screenshot, drawing tools, the recordings list, languages and
// help. Entries follow the recording state and the language; the recordings list opens after
// every recording the user stops.
#pragma once

#include <QObject>

#include <array>

class AppDelegate;
class QAction;
class MainWindow;
class QMenu;
class QMenuBar;
class RecordFlows;
class StatusItem;

class AppMenus : public QObject {
    Q_OBJECT
public:
    // Main-menu entry tags.
    enum Tag {
        Help = 100,
        English = 201,
        SimplifiedChinese = 202,
        TraditionalChinese = 203,
        StartOrStop = 401,
        PauseOrResume = 402,
        ScreenShort = 403,
        CameraOnOrOff = 404,
    };

    AppMenus(AppDelegate& app, RecordFlows& flows, MainWindow& window);
    ~AppMenus() override;

    // Runs the command of a main-menu entry's tag; other tags do nothing.
    void showHelp(int tag);
    // Hides the main window, or shows it again (the tray menu stays to bring it back).
    void showHomeMainWindow();
    void refreshStateMenuItem();

private:
    bool isMainWindowShown() const;
    void addStatusItem();
    void buildMenuBar();
    void checkLanguage();
    // A screenshot once the menu that asked for it has left the screen.
    void screenshotAfterMenu();

    AppDelegate& app_;
    RecordFlows& flows_;
    MainWindow& window_;
    StatusItem* statusItem_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* languages_ = nullptr;
    // Start or stop, pause or resume, screenshot, camera on or off.
    std::array<QAction*, 4> recordEntries_{};
};
