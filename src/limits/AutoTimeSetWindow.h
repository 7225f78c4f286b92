// The auto-stop window: stop by recorded time or by file size, for the next recording only or
// for every one, and what happens when a recording ends (nothing more, or quit).
#pragma once

#include "LimitSetsDialog.h"

class AppDelegate;
class QLabel;
class SRPopUpButton;

class AutoTimeSetWindow : public LimitSetsDialog {
    Q_OBJECT
public:
    AutoTimeSetWindow(AppDelegate& app, QWidget* parent = nullptr);

    void okBtnAction() override;
    void ChangeLoanguage() override;

private:
    void windowDidLoad();

    AppDelegate& app_;
    QLabel* completeLabel_ = nullptr;
    SRPopUpButton* finshpopBtn_ = nullptr;
};
