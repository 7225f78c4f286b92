#pragma once

#include <QComboBox>
#include <QString>

// A pop-up button whose item 0 is its title: the title is shown until a choice is made and is not
// offered in the list, so the chosen entry's position among the real choices (the stored index)
// is the selected item minus 1. The title is also the button's accessible name (Linux screen
// readers name a pop-up by its current entry and its label instead).
class SRPopUpButton : public QComboBox {
    Q_OBJECT
public:
    explicit SRPopUpButton(QWidget* parent = nullptr);

    // Item 0's text; adds item 0 when the button is empty.
    void setTitle(const QString& title);
    QString title() const;

    void addItemWithTitle(const QString& title);
    void removeAllItems();

    // The selected item counted with the title (item 0), or -1 when the button is empty.
    int indexOfSelectedItem() const { return currentIndex(); }
    void selectItemAtIndex(int index);

    // The selected item minus 1: -1 while the title is shown.
    int storedIndex() const;
    // Selects item `index` + 1. An index outside the choices shows the title instead and answers
    // false, so a damaged stored value never selects a wrong entry.
    bool selectStoredIndex(int index);

    QString titleOfSelectedItem() const { return currentText(); }

signals:
    // The user picked an entry; `index` is its stored index.
    void choiceMade(int index);

private:
    void keepTitleOutOfList();
};
