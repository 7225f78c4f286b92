// The start-options button beside the record button. While idle it offers the start menu
// (record, screenshot, a countdown of 3, 5 or 10 s, auto stop); while the encoder works, the
// stop menu (stop now, stop in 10, 20 or 30 minutes, auto stop settings).
#pragma once

#include <QMenu>
#include <QPointer>
#include <QToolButton>

#include <functional>

class AppDelegate;
class AutoTimeSetWindow;

class StartSetsButton : public QToolButton {
    Q_OBJECT
public:
    // `isWorking` answers whether the encoder is writing a recording.
    StartSetsButton(AppDelegate& app, std::function<bool()> isWorking, QWidget* parent = nullptr);

    // Pops the start or the stop menu up over the button.
    void startSetsItemAction();
    // Item `item` of the menu shown was chosen (item 0 is the menu's empty title).
    void startSetsItemChangeAction(int item);
    // The auto-stop submenu's entries and the stop menu's last one.
    void autoStopSetsAction(const QString& title);
    void changeLanguage();

    // The start or the stop menu, filled afresh each time it opens.
    QMenu* setsMenu() const { return menu_; }

signals:
    // The user's record and stop command.
    void recordScreenClicked();
    // Starts at once, keeping a stop-menu countdown.
    void recordAfterScreenClicked();
    // A countdown preset, by its title.
    void countDownAction(const QString& title);

private:
    void addStartSetsMenu();
    void addStopSetsMenu();

    AppDelegate& app_;
    std::function<bool()> isWorking_;
    QMenu* menu_ = nullptr;
    QPointer<AutoTimeSetWindow> autoStopWindow_;
};
