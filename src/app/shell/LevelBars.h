// The main window's level bars: one bar in the screen and audio-only modes, a system-sound
// and a microphone bar in the camera mode.
#pragma once

#include <QWidget>

class NSVertProgressView;

class LevelBars : public QWidget {
public:
    explicit LevelBars(QWidget* parent = nullptr);

    // Shows the bars of a recording mode (3 camera).
    void setMode(unsigned mode);
    // A source of no sound leaves the bars at 0.
    void clear();
    // Tool tips and accessible names from the current table.
    void changeLanguage();

    NSVertProgressView* progressView() const { return progressView_; }
    NSVertProgressView* systemBar() const { return systemBar_; }
    NSVertProgressView* micBar() const { return micBar_; }

private:
    NSVertProgressView* progressView_;
    NSVertProgressView* systemBar_;
    NSVertProgressView* micBar_;
};
