#include "LimitSetsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "AppSettingsGroups.h"
#include "LimitFields.h"
#include "Localization.h"
#include "NotificationCenter.h"

namespace {

// Enough digits for any limit; more would overflow the value they are read into.
constexpr int kFieldDigits = 9;

template <typename T> T* tagged(T* control, int tag) {
    control->setProperty("tag", tag);
    return control;
}

// The radio images of the widget kit.
constexpr char kRadioStyle[] =
    "QRadioButton::indicator:checked { image: url(:/images/rd_Checked_Normal.svg); }"
    "QRadioButton::indicator:unchecked { image: url(:/images/rd_NoChecked_Normal.svg); }";

} // namespace

LimitSetsDialog::LimitSetsDialog(HotkeyGroup& hotkeys, const Keys& keys, QWidget* parent)
    : QDialog(parent), hotkeys_(hotkeys), keys_(keys) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setStyleSheet(kRadioStyle);
    checkBox_ = tagged(new QCheckBox, 100);
    timeRadio_ = tagged(new QRadioButton, 1);
    sizeRadio_ = tagged(new QRadioButton, 2);
    onceRadio_ = tagged(new QRadioButton, 200);
    everyRadio_ = tagged(new QRadioButton, 300);
    secondsField_ = tagged(new QLineEdit, 1000);
    megabytesField_ = tagged(new QLineEdit, 2000);
    okButton_ = tagged(new QPushButton, 10);
    cancelButton_ = tagged(new QPushButton, 20);
    secondsLabel_ = new QLabel;
    megabytesLabel_ = new QLabel;
    secondsLabel_->setBuddy(secondsField_);
    megabytesLabel_->setBuddy(megabytesField_);
    okButton_->setDefault(true);

    // Each pair excludes itself.
    for (auto pair : {std::pair{timeRadio_, sizeRadio_}, std::pair{onceRadio_, everyRadio_}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(pair.first);
        group->addButton(pair.second);
    }
    for (QLineEdit* field : {secondsField_, megabytesField_}) {
        field->setMaxLength(kFieldDigits);
        field->setFixedWidth(90);
        connect(field, &QLineEdit::textChanged, this,
                [this, field] { controlTextDidChange(field); });
    }
    for (QRadioButton* radio : {timeRadio_, sizeRadio_})
        connect(radio, &QRadioButton::clicked, this, [this, radio] { setsAction(radio); });
    connect(checkBox_, &QCheckBox::toggled, this, &LimitSetsDialog::refreshCheckBtn);
    connect(okButton_, &QPushButton::clicked, this, [this] { okBtnAction(); });
    connect(cancelButton_, &QPushButton::clicked, this, &LimitSetsDialog::cancelBtnAction);

    grid_ = new QGridLayout(this);
    grid_->addWidget(checkBox_, 0, 0, 1, 3);
    grid_->addWidget(timeRadio_, 1, 0);
    grid_->addWidget(secondsField_, 1, 1);
    grid_->addWidget(secondsLabel_, 1, 2);
    grid_->addWidget(sizeRadio_, 2, 0);
    grid_->addWidget(megabytesField_, 2, 1);
    grid_->addWidget(megabytesLabel_, 2, 2);
    auto* often = new QHBoxLayout;
    often->addWidget(onceRadio_);
    often->addWidget(everyRadio_);
    grid_->addLayout(often, 3, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    buttons->addWidget(okButton_);
    grid_->addLayout(buttons, 10, 0, 1, 3);

    ChangeLoanguage();
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &LimitSetsDialog::ChangeLoanguage);
    hotkeys_.isCanKeyEvent = false;
    // The grabs follow the flag: released while a dialog takes the keyboard.
    emit hotkeys_.changed();
}

QWidget* LimitSetsDialog::viewWithTag(int tag) const {
    for (QWidget* w : findChildren<QWidget*>())
        if (w->property("tag").toInt() == tag)
            return w;
    return nullptr;
}

void LimitSetsDialog::ChangeLoanguage() {
    const auto text = [](const char* key) { return Localization::localizedStringForKey(key); };
    setWindowTitle(text(keys_.title));
    checkBox_->setText(text(keys_.enabled));
    timeRadio_->setText(text(keys_.byTime));
    sizeRadio_->setText(text(keys_.bySize));
    secondsLabel_->setText(text(keys_.seconds));
    megabytesLabel_->setText(text(keys_.megabytes));
    onceRadio_->setText(text(keys_.once));
    everyRadio_->setText(text(keys_.everyTime));
    okButton_->setText(text("btnOK"));
    cancelButton_->setText(text("btnCancel"));
}

void LimitSetsDialog::refreshCheckBtn() {
    const bool on = checkBox_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{timeRadio_, sizeRadio_, onceRadio_,
                                                      everyRadio_, secondsLabel_, megabytesLabel_})
        w->setEnabled(on);
    secondsField_->setEnabled(on && timeRadio_->isChecked());
    megabytesField_->setEnabled(on && sizeRadio_->isChecked());
}

void LimitSetsDialog::setsAction(QAbstractButton* radio) {
    refreshCheckBtn();
    (radio == timeRadio_ ? secondsField_ : megabytesField_)->setFocus();
}

void LimitSetsDialog::controlTextDidChange(QLineEdit* field) {
    const QString kept = limitFieldText(field->text());
    if (kept != field->text())
        field->setText(kept);
}

void LimitSetsDialog::cancelBtnAction() {
    close();
}

void LimitSetsDialog::done(int result) {
    hotkeys_.isCanKeyEvent = true;
    emit hotkeys_.changed();
    QDialog::done(result);
}
