#include "SettingsTexts.h"

#include "Localization.h"
#include "SRImage.h"

#include <QAbstractButton>
#include <QLabel>

void SettingsTexts::setText(QObject* widget, const QString& key, bool accessibleName) {
    const QString text = Localization::localizedStringForKey(key);
    if (accessibleName)
        static_cast<QWidget*>(widget)->setAccessibleName(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* window = qobject_cast<QWidget*>(widget))
        window->setWindowTitle(text);
}

void SettingsTexts::retitle() const {
    for (const Item& item : items_) {
        if (item.widget)
            setText(item.widget, item.key, item.accessibleName);
    }
}

void showChecked(QAbstractButton* button, bool on) {
    const QSignalBlocker quiet(button);
    button->setChecked(on);
}

QCheckBox* settingsCheckBox() {
    auto* box = new QCheckBox;
    box->setStyleSheet(QString("QCheckBox::indicator { width: 16px; height: 16px; }"
                               "QCheckBox::indicator:checked { image: url(%1); }"
                               "QCheckBox::indicator:unchecked { image: url(%2); }")
                           .arg(SRImage::resourcePath("rd_Checked_Normal"),
                                SRImage::resourcePath("rd_NoChecked_Normal")));
    return box;
}
