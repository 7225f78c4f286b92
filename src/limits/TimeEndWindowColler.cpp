#include "TimeEndWindowColler.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "AppDelegate.h"
#include "KTLog.h"
#include "LimitFields.h"
#include "Localization.h"
#include "NotificationCenter.h"

namespace {

// Seconds each choice stands for; the custom one comes from the fields.
constexpr double kChoiceSeconds[3] = {0, 1800, 3600};

// A click-to-edit cover: invisible, lying over its field until clicked.
class FieldCover : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;

protected:
    void paintEvent(QPaintEvent*) override {}
};

} // namespace

TimeEndWindowColler::TimeEndWindowColler(AppDelegate& app, QWidget* parent)
    : QDialog(parent), app_(app) {
    setAttribute(Qt::WA_DeleteOnClose);
    messageLabel_ = new QLabel;
    messageLabel_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(messageLabel_);
    auto* choiceRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton;
        const int tag = 10 * (i + 1);
        b->setProperty("tag", tag);
        b->setCheckable(true);
        connect(b, &QPushButton::clicked, this, [this, tag] { itemChangeAction(tag); });
        choiceRow->addWidget(b);
        choices_[size_t(i)] = b;
    }
    layout->addLayout(choiceRow);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addStretch();
    for (int i = 0; i < 3; ++i) {
        auto* field = new QLineEdit;
        field->setMaxLength(2);
        field->setAlignment(Qt::AlignCenter);
        connect(field, &QLineEdit::textEdited, this,
                [this, field] { controlTextDidChange(field); });
        connect(field, &QLineEdit::editingFinished, this,
                [this, field] { controlTextDidChange(field); });
        auto* cover = new FieldCover;
        const int tag = 10 * (i + 1);
        cover->setProperty("tag", tag);
        connect(cover, &QAbstractButton::clicked, this, [this, tag] { textBecomeAction(tag); });
        // The cover lies on top of its field.
        auto* holder = new QWidget;
        holder->setFixedSize(40, field->sizeHint().height());
        auto* stack = new QStackedLayout(holder);
        stack->setStackingMode(QStackedLayout::StackAll);
        stack->addWidget(field);
        stack->addWidget(cover);
        stack->setCurrentWidget(cover);
        if (i > 0)
            fieldRow->addWidget(new QLabel(":"));
        fieldRow->addWidget(holder);
        fields_[size_t(i)] = field;
        covers_[size_t(i)] = cover;
    }
    fieldRow->addStretch();
    layout->addLayout(fieldRow);
    okBtn_ = new QPushButton;
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, &TimeEndWindowColler::okBtnAction);
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(okBtn_);
    layout->addLayout(okRow);

    ChangeLoanguage();
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &TimeEndWindowColler::ChangeLoanguage);
    windowDidLoad();
    app_.hotkeys.isCanKeyEvent = false;
    // The grabs follow the flag: released while a dialog takes the keyboard.
    emit app_.hotkeys.changed();
}

void TimeEndWindowColler::ChangeLoanguage() {
    setWindowTitle(Localization::localizedStringForKey("TM_MessageLabel_Title"));
    messageLabel_->setText(app_.capture.recordVideoType == 4
                               ? Localization::localizedStringForKey("TM_MessageLabel_Audio")
                               : Localization::localizedStringForKey("TM_MessageLabel_Video"));
    choices_[0]->setText(Localization::localizedStringForKey("TM_NoTime"));
    choices_[1]->setText(Localization::localizedStringForKey("TM_30MinTime"));
    choices_[2]->setText(Localization::localizedStringForKey("TM_60MinTime"));
    choices_[3]->setText(Localization::localizedStringForKey("TM_CustonTime"));
    const QString names[3] = {Localization::localizedStringForKey("TM_Hours"),
                              Localization::localizedStringForKey("TM_Minutes"),
                              Localization::localizedStringForKey("TM_Seconds")};
    for (size_t i = 0; i < 3; ++i) {
        fields_[i]->setAccessibleName(names[i]);
        // The cover stands for its field until clicked.
        covers_[i]->setAccessibleName(names[i]);
    }
    okBtn_->setText(Localization::localizedStringForKey("TM_OK"));
}

void TimeEndWindowColler::windowDidLoad() {
    const int type = app_.limits.endTimeType;
    for (int i = 0; i < 4; ++i)
        choices_[size_t(i)]->setChecked(i == type);
    if (type != 3) {
        setFieldsEnabled(false);
        for (QLineEdit* field : fields_)
            field->setText("00");
    }
}

void TimeEndWindowColler::showCustomTime() {
    if (app_.limits.endTimeType != 3)
        return;
    const auto d = qint64(app_.limits.recordEndTimeDuration);
    const qint64 hours = d / 3600, minutes = (d - hours * 3600) / 60;
    const qint64 parts[3] = {hours, minutes, d - hours * 3600 - minutes * 60};
    for (size_t i = 0; i < 3; ++i)
        fields_[i]->setText(QString::asprintf("%02lli", parts[i]));
}

void TimeEndWindowColler::setFieldsEnabled(bool enabled) {
    for (size_t i = 0; i < 3; ++i) {
        fields_[i]->setEnabled(enabled);
        covers_[i]->setEnabled(enabled);
    }
}

void TimeEndWindowColler::itemChangeAction(int tag) {
    app_.limits.endTimeType = tag / 10 - 1;
    for (QPushButton* b : choices_)
        b->setChecked(b->property("tag").toInt() == tag);
    const bool custom = tag == 40;
    setFieldsEnabled(custom);
    if (!custom) {
        for (QLineEdit* field : fields_)
            field->setText("00");
        return;
    }
    fields_[0]->setFocus();
    fields_[0]->clear();
    covers_[0]->hide();
}

void TimeEndWindowColler::textBecomeAction(int tag) {
    for (size_t i = 0; i < 3; ++i)
        covers_[i]->setVisible(10 * int(i + 1) != tag);
    QLineEdit* field = fields_[size_t(tag / 10 - 1)];
    field->clear();
    field->setFocus();
}

void TimeEndWindowColler::controlTextDidChange(QLineEdit* field) {
    const QString kept = timeFieldText(field->text());
    if (kept == field->text())
        return;
    field->setText(kept);
    // The next digit typed replaces the "00" or "59" shown.
    field->selectAll();
}

void TimeEndWindowColler::okBtnAction() {
    LimitsGroup& l = app_.limits;
    const int type = l.endTimeType;
    l.recordEndTimeDuration = type == 3 ? fields_[0]->text().toInt() * 3600.0 +
                                              fields_[1]->text().toInt() * 60.0 +
                                              fields_[2]->text().toInt()
                                        : kChoiceSeconds[std::clamp(type, 0, 2)];
    if (l.recordEndTimeDuration == 0)
        itemChangeAction(10);
    systemLog(QString::asprintf("定时：%lf", l.recordEndTimeDuration));
    emit l.changed();
    close();
}

void TimeEndWindowColler::done(int result) {
    app_.hotkeys.isCanKeyEvent = true;
    emit app_.hotkeys.changed();
    QDialog::done(result);
}
