// The settings window: one scrolling page of six sections (general, cursor, shortcuts,
// watermark, recording, camera) with a button per section; the button of the section in view
// follows the scrolling. Every control writes its setting and its preference at once, and the
// main window's pop-ups follow (and the other way round). Hotkeys do not act while it is open.
#pragma once

#include "SettingsTexts.h"

#include <QWidget>

#include <array>

class AppDelegate;
class EncodeManager;
class HotkeyDispatcher;
class Platform;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QScrollArea;
class SRPopUpButton;
class SettingsHotkeyRows;
class SettingsWatermarkSection;

class SRSetsWindowController : public QWidget {
    Q_OBJECT
public:
    // hotkeys may be null (no taken combinations are shown then); the placement window's box
    // needs the platform.
    SRSetsWindowController(AppDelegate& app, EncodeManager& encoder, HotkeyDispatcher* hotkeys,
                           Platform& platform);
    ~SRSetsWindowController() override;

    // Hotkeys off, every control from the current settings, the recorder listening, shown.
    void showWindow();
    // Scrolls the page to section 0..5 and selects its button.
    void selectSection(int index);
    // The split buttons: time (true) or size; the field of the one chosen takes the focus.
    void splitSaveAction(bool time);
    void ChangeLoanguage();
    // The placement window over this one, modal, with the watermark as it is now.
    void preViewWatermarkAction();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildGeneral();
    QWidget* buildCursor();
    QWidget* buildSplit();
    void loadControls();
    void showCapture();
    // The section in view after the user scrolled.
    void followScrolling();
    void changemouseAction(QCheckBox* box);
    void chooseRecordingsFolder();
    void windowShouldClose();

    AppDelegate& app_;
    EncodeManager& encoder_;
    Platform& platform_;
    SettingsTexts texts_;
    QButtonGroup* sectionButtons_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    std::array<QWidget*, 6> sections_{};
    bool isNeedDisplay_ = false;
    SRPopUpButton* videoTypeBox_ = nullptr;
    SRPopUpButton* frameBox_ = nullptr;
    SRPopUpButton* fpsBox_ = nullptr;
    SRPopUpButton* audioExpBox_ = nullptr;
    QCheckBox* showtimeBtn_ = nullptr;
    QLineEdit* folderField_ = nullptr;
    QCheckBox* mouseShowBtn_ = nullptr;
    QCheckBox* mouseHight_ = nullptr;
    QCheckBox* mouseclickEffect_ = nullptr;
    SettingsHotkeyRows* hotkeyRows_ = nullptr;
    SettingsWatermarkSection* watermark_ = nullptr;
    QCheckBox* splitTimeBtn_ = nullptr;
    QCheckBox* splitSizeBtn_ = nullptr;
    QLineEdit* splitTimeField_ = nullptr;
    QLineEdit* splitSizeField_ = nullptr;
    QCheckBox* captrueBtn_ = nullptr;
};
