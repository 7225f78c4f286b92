#include "SettingsHotkeyRows.h"

#include "AppSettingsGroups.h"
#include "HotkeyDispatcher.h"
#include "HotkeyLabels.h"
#include "Localization.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "SettingsTexts.h"
#include "VirtualKeyCode.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

namespace {

struct RowKeys {
    int tag;
    const char* title;
    const char* codeKey;
    const char* labelKey;
};

constexpr RowKeys kRows[] = {
    {100, "Set_label_13", PrefKey::EventStartOrStop, PrefKey::EventStartOrStopChar},
    {200, "Set_label_14", PrefKey::EventResumeOrPause, PrefKey::EventResumeOrPauseChar},
    {300, "Set_label_15", PrefKey::EventOnOrOffCaptrue, PrefKey::EventOnOrOffCaptrueChar},
    {400, "Set_label_16", PrefKey::EventScreenshot, PrefKey::EventScreenshotChar},
};

const RowKeys* keysOfTag(int tag) {
    for (const RowKeys& keys : kRows) {
        if (keys.tag == tag)
            return &keys;
    }
    return nullptr;
}

// The virtual key of a key event: its key symbol through the platform's table.
std::optional<uint16_t> virtualKeyOf(const QKeyEvent& event) {
    return virtualKeyCodeForKeySym(event.nativeVirtualKey());
}

bool isModifierKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

// What the key types: its text, or its name when the modifier held makes a control character.
QString charactersOf(const QKeyEvent& event) {
    const QString text = event.text();
    if (!text.isEmpty() && text.at(0).isPrint())
        return text;
    return QKeySequence(event.key()).toString(QKeySequence::PortableText);
}

} // namespace

SettingsHotkeyRows::SettingsHotkeyRows(HotkeyGroup& flags, HotkeyDispatcher* hotkeys,
                                       SettingsTexts& texts)
    : flags_(flags), hotkeys_(hotkeys) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const RowKeys& keys = kRows[i];
        auto* label = texts.add(new QLabel, keys.title);
        auto* button = new QPushButton;
        button->setMinimumWidth(120);
        // The button shows the combination; screen readers name it by its row.
        label->setBuddy(button);
        auto* taken = texts.add(new QLabel, "Set_hotkeyTaken");
        taken->setStyleSheet("color: #d04040;");
        taken->setVisible(false);
        grid->addWidget(label, int(i), 0);
        grid->addWidget(button, int(i), 1);
        grid->addWidget(taken, int(i), 2);
        rows_[i] = {keys.tag, keys.labelKey, button, taken};
        connect(button, &QPushButton::clicked, this,
                [this, tag = keys.tag] { resetEventAction(tag); });
    }
    grid->setColumnStretch(3, 1);
}

SettingsHotkeyRows::Row* SettingsHotkeyRows::rowOfTag(int tag) {
    for (Row& row : rows_) {
        if (row.tag == tag)
            return &row;
    }
    return nullptr;
}

void SettingsHotkeyRows::loadControls() {
    const Preferences& store = Preferences::shared();
    for (Row& row : rows_) {
        row.button->setText(store.string(row.labelKey));
        row.button->setAccessibleDescription(row.button->text());
    }
    if (!hotkeys_)
        return;
    // The dispatcher answers in its own order; each row finds its command there.
    const std::vector<bool> taken = hotkeys_->takenHotkeys();
    for (Row& row : rows_) {
        bool isTaken = false;
        for (size_t i = 0; i < kHotkeyPreferences.size() && i < taken.size(); ++i) {
            if (QLatin1String(kHotkeyPreferences[i].labelKey) == QLatin1String(row.labelKey))
                isTaken = taken[i];
        }
        row.taken->setVisible(isTaken);
    }
}

void SettingsHotkeyRows::resetEventAction(int tag) {
    flags_.isResetEventMonitor = true;
    emit flags_.changed();
    if (selectEventBtn_)
        loadControls();
    eventResetTag_ = tag;
    Row* row = rowOfTag(tag);
    selectEventBtn_ = row ? row->button : nullptr;
    if (selectEventBtn_)
        selectEventBtn_->setText(Localization::localizedStringForKey("Set_selectEventBtn"));
}

void SettingsHotkeyRows::disarm() {
    if (!flags_.isResetEventMonitor)
        return;
    flags_.isResetEventMonitor = false;
    emit flags_.changed();
    selectEventBtn_ = nullptr;
    loadControls();
}

void SettingsHotkeyRows::initMonitor() {
    removeMonitor();
    qApp->installEventFilter(this);
    monitoring_ = true;
}

void SettingsHotkeyRows::removeMonitor() {
    if (monitoring_)
        qApp->removeEventFilter(this);
    monitoring_ = false;
    recorder_.keyUp();
}

void SettingsHotkeyRows::store(const HotkeyRecorder::Recorded& recorded) {
    const RowKeys* keys = keysOfTag(eventResetTag_);
    if (!keys || !selectEventBtn_)
        return;
    selectEventBtn_->setText(recorded.label);
    Preferences& store = Preferences::shared();
    store.setValue(keys->codeKey, recorded.keyCode);
    store.setValue(keys->labelKey, recorded.label);
    emit flags_.changed();
}

bool SettingsHotkeyRows::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.isAutoRepeat())
        return flags_.isResetEventMonitor;
    // One event reaches the filter once per widget it passes; the focus widget's copy counts.
    if (watched != QApplication::focusWidget() && watched != window())
        return false;
    const std::optional<uint16_t> code = virtualKeyOf(key);
    if (isModifierKey(key))
        recorder_.flagsChanged(code.value_or(0));
    else if (!press)
        recorder_.keyUp();
    else if (code) {
        const std::optional<HotkeyRecorder::Recorded> recorded =
            recorder_.keyDown(*code, charactersOf(key));
        if (recorded && flags_.isResetEventMonitor)
            store(*recorded);
    }
    // While a row waits for its combination the keys go to the recorder alone.
    return flags_.isResetEventMonitor;
}
