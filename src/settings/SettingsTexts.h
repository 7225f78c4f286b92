// The settings window's texts by string-table key, and the check boxes it draws from the
// "rd_Checked" / "rd_NoChecked" images. Every text is looked up again when the language
// changes.
#pragma once

#include <QCheckBox>
#include <QList>
#include <QPointer>
#include <QString>

class SettingsTexts {
public:
    // Shows the key's text on a label or button now and after every language change.
    template <typename W> W* add(W* widget, const QString& key) {
        items_.append({widget, key});
        setText(widget, key);
        return widget;
    }
    void retitle() const;

private:
    static void setText(QObject* widget, const QString& key);
    QList<std::pair<QPointer<QObject>, QString>> items_;
};

QCheckBox* settingsCheckBox();
// Shows a stored value without running the control's action. Controls act on `toggled`, which
// clicks and the accessibility "Toggle" action both give.
void showChecked(QAbstractButton* button, bool on);
