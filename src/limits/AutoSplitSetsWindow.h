// The auto-split window: cut recordings into pieces of so many seconds or megabytes, for the
// next recording only or for every one. The encoder adapter keeps the lengths; the stored
// "SplitType" says which one applies.
#pragma once

#include "LimitSetsDialog.h"

class AppDelegate;
class EncodeManager;

class AutoSplitSetsWindow : public LimitSetsDialog {
    Q_OBJECT
public:
    AutoSplitSetsWindow(AppDelegate& app, EncodeManager& encoder, QWidget* parent = nullptr);

    void okBtnAction() override;

private:
    void windowDidLoad();

    AppDelegate& app_;
    EncodeManager& encoder_;
};
