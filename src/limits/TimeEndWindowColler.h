// The time-limit window: no limit, 30 minutes, 60 minutes or a custom hours, minutes and
// seconds. OK makes the choice the time limit auto stop by time applies. Not modal; hotkeys
// are off while it is open.
#pragma once

#include <QDialog>

#include <array>

class AppDelegate;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

class TimeEndWindowColler : public QDialog {
    Q_OBJECT
public:
    TimeEndWindowColler(AppDelegate& app, QWidget* parent = nullptr);

    // The choice buttons, tags 10 (no limit), 20 (30 min), 30 (60 min), 40 (custom).
    void itemChangeAction(int tag);
    // A cover over a field (tags 10, 20, 30) was clicked: that field is edited.
    void textBecomeAction(int tag);
    void controlTextDidChange(QLineEdit* field);
    void okBtnAction();
    void ChangeLoanguage();
    // Fills the fields from the limit when the custom choice is on.
    void showCustomTime();

    void done(int result) override;

private:
    void windowDidLoad();
    void setFieldsEnabled(bool enabled);

    AppDelegate& app_;
    QLabel* messageLabel_ = nullptr;
    std::array<QPushButton*, 4> choices_{};
    // Hours, minutes, seconds, each under its cover.
    std::array<QLineEdit*, 3> fields_{};
    std::array<QAbstractButton*, 3> covers_{};
    QPushButton* okBtn_ = nullptr;
};
