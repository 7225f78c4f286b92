#include "AutoTimeSetWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "AppDelegate.h"
#include "AutoStopPreferences.h"
#include "Localization.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SRPopUpButton.h"

namespace {

constexpr LimitSetsDialog::Keys kKeys{"ID_MAINPOPMENU_AUTOSTOP", "lblEnabledAutoStop",
                                      "lblStopByTime",           "lblSecond",
                                      "lblStopBySize",           "lblMB",
                                      "lblStopSettingOnce",      "lblStopSettingEveryTime"};

} // namespace

AutoTimeSetWindow::AutoTimeSetWindow(AppDelegate& app, QWidget* parent)
    : LimitSetsDialog(app.hotkeys, kKeys, parent), app_(app) {
    completeLabel_ = new QLabel;
    finshpopBtn_ = new SRPopUpButton;
    finshpopBtn_->setTitle(QString());
    finshpopBtn_->addItemWithTitle(QString());
    finshpopBtn_->addItemWithTitle(QString());
    completeLabel_->setBuddy(finshpopBtn_);
    grid_->addWidget(completeLabel_, 4, 0);
    grid_->addWidget(finshpopBtn_, 4, 1, 1, 2);
    ChangeLoanguage();
    windowDidLoad();
}

void AutoTimeSetWindow::ChangeLoanguage() {
    LimitSetsDialog::ChangeLoanguage();
    completeLabel_->setText(Localization::localizedStringForKey("lbComplete1"));
    finshpopBtn_->setItemText(1, Localization::localizedStringForKey("chCtrl1"));
    finshpopBtn_->setItemText(2, Localization::localizedStringForKey("chCtrl4"));
    finshpopBtn_->setAccessibleName(completeLabel_->text());
}

void AutoTimeSetWindow::windowDidLoad() {
    const Preferences& store = Preferences::shared();
    LimitsGroup& l = app_.limits;
    l.everyTime = store.boolean(PrefKey::AutoStop_EveryTime);
    checkBox_->setChecked(l.everyTime);
    (l.everyTime ? everyRadio_ : onceRadio_)->setChecked(true);
    (l.isRecordEndSizeType ? sizeRadio_ : timeRadio_)->setChecked(true);
    secondsField_->setText(
        QString::number(l.recordEndTimeDuration > 0 ? qint64(l.recordEndTimeDuration) : 600));
    megabytesField_->setText(
        QString::number(l.recordEndFileSize > 0 ? qint64(l.recordEndFileSize) : 100));
    // Past the end shows the last choice.
    finshpopBtn_->selectItemAtIndex(std::min(storedFinishIndex(store), finshpopBtn_->count() - 1));
    refreshCheckBtn();
}

void AutoTimeSetWindow::okBtnAction() {
    Preferences& store = Preferences::shared();
    LimitsGroup& l = app_.limits;
    if (!checkBox_->isChecked()) {
        l.everyTime = false;
        l.autoStop_withTime = false;
        l.isAutoStop = false;
        store.setValue(PrefKey::AutoStop_EveryTime, false);
        store.setValue(PrefKey::IsAutoStop, 0);
    } else {
        l.isAutoStopOnce = onceRadio_->isChecked();
        l.recordEndTimeDuration = double(secondsField_->text().toLongLong());
        l.recordEndFileSize = double(megabytesField_->text().toLongLong());
        l.everyTime = everyRadio_->isChecked();
        l.isRecordEndSizeType = sizeRadio_->isChecked();
        l.finshpopIndex = finshpopBtn_->indexOfSelectedItem();
        store.setValue(PrefKey::AutoStop_Time, l.recordEndTimeDuration);
        store.setValue(PrefKey::AutoStop_FileSize, l.recordEndFileSize);
        store.setValue(PrefKey::AutoStop_Type, l.isRecordEndSizeType);
        store.setValue(PrefKey::AutoStop_FinshIndex, l.finshpopIndex);
        store.setValue(PrefKey::AutoStop_EveryTime, l.everyTime);
        store.setValue(PrefKey::IsAutoStop, 1);
        l.autoStop_withTime = true;
    }
    store.synchronize();
    emit l.changed();
    close();
}
