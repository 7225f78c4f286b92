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
        items_.append({widget, key, false});
        setText(widget, key, false);
        return widget;
    }
    // The same for a control whose accessible name is the text (a field named by a check box).
    void addAccessibleName(QWidget* widget, const QString& key) {
        items_.append({widget, key, true});
        setText(widget, key, true);
    }
    void retitle() const;

private:
    struct Item {
        QPointer<QObject> widget;
        QString key;
        bool accessibleName;
    };
    static void setText(QObject* widget, const QString& key, bool accessibleName);
    QList<Item> items_;
};

QCheckBox* settingsCheckBox();
// Shows a stored value without running the control's action. Controls act on `toggled`, which
// clicks and the accessibility "Toggle" action both give.
void showChecked(QAbstractButton* button, bool on);
