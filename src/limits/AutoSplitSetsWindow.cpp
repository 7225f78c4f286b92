#include "AutoSplitSetsWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "AppDelegate.h"
#include "EncodeManager.h"
#include "PreferenceKeys.h"
#include "Preferences.h"

namespace {

constexpr LimitSetsDialog::Keys kKeys{"Auto_Title",
                                      "lblEnabledAutoSplit",
                                      "lblSplitByTime",
                                      "Auto_lblSecond",
                                      "lblSplitBySize",
                                      "Auto_lblMB",
                                      "Auto_lblStopSettingOnce",
                                      "Auto_lblStopSettingEveryTime"};

} // namespace

AutoSplitSetsWindow::AutoSplitSetsWindow(AppDelegate& app, EncodeManager& encoder, QWidget* parent)
    : LimitSetsDialog(app.hotkeys, kKeys, parent), app_(app), encoder_(encoder) {
    windowDidLoad();
}

void AutoSplitSetsWindow::windowDidLoad() {
    const Preferences& store = Preferences::shared();
    secondsField_->setText(QString::number(encoder_.splitTime));
    megabytesField_->setText(QString::number(encoder_.splitSize));
    const qint64 type = store.integer(PrefKey::SplitType);
    const bool always = store.integer(PrefKey::SplitAlway) == 1;
    checkBox_->setChecked(always && type != 0);
    (always && type == 2 ? sizeRadio_ : timeRadio_)->setChecked(true);
    (always ? everyRadio_ : onceRadio_)->setChecked(true);
    refreshCheckBtn();
}

void AutoSplitSetsWindow::okBtnAction() {
    Preferences& store = Preferences::shared();
    if (!checkBox_->isChecked()) {
        store.setValue(PrefKey::SplitType, 0);
    } else {
        app_.limits.isAutoSplitOnce = onceRadio_->isChecked();
        encoder_.splitTime = int32_t(secondsField_->text().toLongLong());
        encoder_.splitSize = int32_t(megabytesField_->text().toLongLong());
        store.setValue(PrefKey::SplitType, timeRadio_->isChecked()   ? 1
                                           : sizeRadio_->isChecked() ? 2
                                                                     : 0);
        store.setValue(PrefKey::SplitTime, encoder_.splitTime);
        store.setValue(PrefKey::SplitSize, encoder_.splitSize);
        store.setValue(PrefKey::SplitAlway, everyRadio_->isChecked() ? 1 : 0);
    }
    store.synchronize();
    close();
}
