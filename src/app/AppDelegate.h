// The application controller: one process-wide object holding the current settings, in groups
// that tell when they change, which the rest of the program reads. Creating it runs the
// start-up preference pass once.
#pragma once

#include <QDateTime>
#include <QObject>

#include "AppSettingsGroups.h"
#include "DrawPanelWindow.h"

class AudioHardware;
class DrawSettingsWindowController;
class FileListWindowController;
class SerialQueue;
class SoundPlayer;

class AppDelegate : public QObject {
    Q_OBJECT
public:
    // Runs the start-up pass against the user's preferences; needs a QGuiApplication (fonts).
    explicit AppDelegate(AudioHardware& audioHardware);

    // Creates the shared instance; called once by main.
    static AppDelegate& createSharedInstance(AudioHardware& audioHardware);
    static AppDelegate& sharedInstance();
    // The audio devices it was made with, for the menus' microphone check.
    AudioHardware& audioHardware() const { return audioHardware_; }

    // Wall-clock seconds with microsecond resolution.
    static double getNowTimeTimestamp();
    static QString getFileNameForNowTime();
    static QString dateToString(const QDateTime& date);
    static QString plistPath();
    // A fresh output path with the chosen video or audio container's extension, or the path
    // the command line asked for.
    QString createoutputPath(bool video) const;

    // The user's language switch: stores the code, loads its table, posts
    // "ChangeLanguageNotification" and retitles the main window.
    void setLange(int code);
    // Retitles the main window's menus from the current table.
    void changeLanguage();

    // Loaded by the start-up pass; the session controller takes the mode and sound source
    // when it is created.
    CaptureGroup capture;
    CompositionGroup composition;
    LimitsGroup limits;
    HotkeyGroup hotkeys;
    UiStateGroup ui;

    // The drawing tools: the open palette (none while closed), its colours, and what their
    // overlay needs from the desktop (set by main).
    QPointer<DrawSettingsWindowController> drawWindow;
    QList<QColor> linecolors;
    DrawPanelWindow::Desktop drawDesktop;
    // Opens the drawing tools, or closes them when they are open.
    void showDoodleToolAction();
    // Asks for the settings window (the main window's button, the menus).
    void settingAction() { emit settingWindowRequested(); }

    // The recordings list, made on first use, brought up to date and to the front.
    void enterFileListAction();
    QPointer<FileListWindowController> fileListWindow;

    // A screenshot of the main display with the shutter sound; the file's path, empty when
    // nothing could be written.
    QString screenshort();
    QImage getmainDesktopImage();
    // The path the screenshot gets. With an image queue the file is encoded and written there
    // and catalogued on the main thread afterwards, so a recording's frames never wait for it.
    QString saveImage(const QImage& image);
    // Set by main: where the shutter sounds (none: silence) and where screenshots are encoded
    // (none: at once).
    SoundPlayer* soundPlayer = nullptr;
    SerialQueue* imageQueue = nullptr;

signals:
    void settingWindowRequested();

private:
    // An open recordings list shows a screenshot as soon as it is catalogued.
    void showNewEntries();

    AudioHardware& audioHardware_;
    void loadPreferences(AudioHardware& audioHardware);
};
