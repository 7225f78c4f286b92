// The settings window's shortcut rows: one button per command showing its stored label. A
// click arms the recorder for that command (hotkeys stop acting); the combination pressed next
// is stored as the command's key code and label. A combination another program holds is shown
// as taken beside its row.
#pragma once

#include "HotkeyRecorder.h"

#include <QWidget>

#include <array>

class HotkeyDispatcher;
struct HotkeyGroup;
class QLabel;
class QPushButton;
class SettingsTexts;

class SettingsHotkeyRows : public QWidget {
    Q_OBJECT
public:
    SettingsHotkeyRows(HotkeyGroup& flags, HotkeyDispatcher* hotkeys, SettingsTexts& texts);

    // Button titles from the stored labels, and which combinations are taken.
    void loadControls();
    // Arms the recorder for the row with tag 100, 200, 300 or 400.
    void resetEventAction(int tag);
    // Stops recording (the window closes or its page scrolls).
    void disarm();
    // Listens to this application's key presses while the window is open.
    void initMonitor();
    void removeMonitor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        int tag;
        const char* labelKey;
        QPushButton* button;
        QLabel* taken;
    };
    Row* rowOfTag(int tag);
    void store(const HotkeyRecorder::Recorded& recorded);

    HotkeyGroup& flags_;
    HotkeyDispatcher* hotkeys_;
    HotkeyRecorder recorder_;
    std::array<Row, 4> rows_{};
    int eventResetTag_ = 0;
    QPushButton* selectEventBtn_ = nullptr;
    bool monitoring_ = false;
};
