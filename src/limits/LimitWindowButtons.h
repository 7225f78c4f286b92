// The main window's buttons that open the time-limit window and the auto-split window; each
// window is made on demand and kept while open.
#pragma once

#include <QPointer>
#include <QWidget>

class AppDelegate;
class AutoSplitSetsWindow;
class EncodeManager;
class QToolButton;
class TimeEndWindowColler;

class LimitWindowButtons : public QWidget {
    Q_OBJECT
public:
    LimitWindowButtons(AppDelegate& app, EncodeManager& encoder, QWidget* parent = nullptr);

    // Opens the time-limit window below the main window.
    void timeSetsAction();
    // Opens the auto-split window, modal, in the middle of the main screen.
    void autoSplitSetsAction();
    void changeLanguage();

private:
    AppDelegate& app_;
    EncodeManager& encoder_;
    QToolButton* timeSetsBtn_ = nullptr;
    QToolButton* autoSplitBtn_ = nullptr;
    QPointer<TimeEndWindowColler> timeWindow_;
    QPointer<AutoSplitSetsWindow> splitWindow_;
};
