#include "SRPopUpButton.h"

#include <QListView>
#include <QStandardItemModel>

SRPopUpButton::SRPopUpButton(QWidget* parent) : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(model(), &QAbstractItemModel::rowsInserted, this, &SRPopUpButton::keepTitleOutOfList);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &SRPopUpButton::keepTitleOutOfList);
    connect(model(), &QAbstractItemModel::modelReset, this, &SRPopUpButton::keepTitleOutOfList);
    connect(this, &QComboBox::activated, this, [this](int item) {
        if (item > 0)
            emit choiceMade(item - 1);
    });
}

void SRPopUpButton::setTitle(const QString& title) {
    if (count() == 0)
        addItem(title);
    else
        setItemText(0, title);
    setAccessibleName(title);
}

QString SRPopUpButton::title() const {
    return count() == 0 ? QString() : itemText(0);
}

void SRPopUpButton::addItemWithTitle(const QString& title) {
    if (count() == 0)
        setTitle(title);
    else
        addItem(title);
}

void SRPopUpButton::removeAllItems() {
    clear();
}

void SRPopUpButton::selectItemAtIndex(int index) {
    if (index >= 0 && index < count())
        setCurrentIndex(index);
}

int SRPopUpButton::storedIndex() const {
    return currentIndex() < 0 ? -1 : currentIndex() - 1;
}

bool SRPopUpButton::selectStoredIndex(int index) {
    if (index < 0 || index + 1 >= count()) {
        setCurrentIndex(count() == 0 ? -1 : 0);
        return false;
    }
    setCurrentIndex(index + 1);
    return true;
}

// The title row can be shown but not chosen: disabled items are skipped by the keyboard and the
// mouse wheel, and the hidden row keeps it out of the drop-down list.
void SRPopUpButton::keepTitleOutOfList() {
    auto* items = qobject_cast<QStandardItemModel*>(model());
    auto* list = qobject_cast<QListView*>(view());
    for (int row = 0; row < count(); ++row) {
        if (items) {
            if (QStandardItem* item = items->item(row))
                item->setEnabled(row != 0);
        }
        if (list)
            list->setRowHidden(row, row == 0);
    }
}
