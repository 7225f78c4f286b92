// The layout the auto-stop and auto-split windows share: an on/off check box (tag 100), a
// by-time choice (1) with its seconds field (1000), a by-size choice (2) with its megabytes
// field (2000), only-once (200) and every-time (300) choices, and OK (10) and Cancel (20).
// Hotkeys are off while such a window is open; OK, Cancel, Escape and the close box all turn
// them on again.
#pragma once

#include <QDialog>

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct HotkeyGroup;

class LimitSetsDialog : public QDialog {
    Q_OBJECT
public:
    // The string-table keys of the window's texts.
    struct Keys {
        const char* title;
        const char* enabled;
        const char* byTime;
        const char* seconds;
        const char* bySize;
        const char* megabytes;
        const char* once;
        const char* everyTime;
    };

    // The control carrying this tag, or none.
    QWidget* viewWithTag(int tag) const;

    // A kind choice was clicked (only possible while the box is on): its field is enabled and
    // focused, the other's disabled.
    void setsAction(QAbstractButton* radio);
    // The check box decides which controls may be used.
    void refreshCheckBtn();
    // Keeps only the digits of what was typed.
    void controlTextDidChange(QLineEdit* field);
    virtual void okBtnAction() = 0;
    void cancelBtnAction();
    virtual void ChangeLoanguage();

    void done(int result) override;

protected:
    LimitSetsDialog(HotkeyGroup& hotkeys, const Keys& keys, QWidget* parent);

    QGridLayout* grid_ = nullptr;
    QCheckBox* checkBox_ = nullptr;
    QRadioButton* timeRadio_ = nullptr;
    QRadioButton* sizeRadio_ = nullptr;
    QRadioButton* onceRadio_ = nullptr;
    QRadioButton* everyRadio_ = nullptr;
    QLineEdit* secondsField_ = nullptr;
    QLineEdit* megabytesField_ = nullptr;

private:
    HotkeyGroup& hotkeys_;
    Keys keys_;
    QLabel* secondsLabel_ = nullptr;
    QLabel* megabytesLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
