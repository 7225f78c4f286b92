#include "SRPopUpButton.h"

#include <QListView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct FrameRatePopUp : ::testing::Test {
    FrameRatePopUp() {
        popUp.setTitle("Frame rate");
        for (const char* title : {"15 fps", "23.976 fps", "30 fps", "60 fps"})
            popUp.addItemWithTitle(title);
        popUp.show();
        popUp.setFocus();
    }
    SRPopUpButton popUp;
};

TEST_F(FrameRatePopUp, StoredIndexIsTheItemMinusOne) {
    EXPECT_EQ(popUp.storedIndex(), -1); // the title shows until a choice is made
    // A damaged stored value shows the title rather than some other rate.
    for (const auto& [stored, item, shown] : {std::tuple{0, 1, "15 fps"},
                                              {3, 4, "60 fps"},
                                              {4, 0, "Frame rate"},
                                              {-1, 0, "Frame rate"}}) {
        popUp.selectItemAtIndex(2);
        EXPECT_EQ(popUp.selectStoredIndex(stored), item > 0) << stored;
        EXPECT_EQ(popUp.storedIndex(), item - 1) << stored;
        EXPECT_EQ(popUp.titleOfSelectedItem(), shown);
    }
    popUp.selectItemAtIndex(5); // missing: nothing changes
    EXPECT_EQ(popUp.indexOfSelectedItem(), 0);
}

// The user's choice reports its stored index; from the first choice, moving up or home cannot
// land on the title.
TEST_F(FrameRatePopUp, UserChoicesNeverReachTheTitle) {
    QSignalSpy choices(&popUp, &SRPopUpButton::choiceMade);
    popUp.selectStoredIndex(0);
    QTest::keyClick(&popUp, Qt::Key_Down);
    ASSERT_EQ(choices.count(), 1);
    EXPECT_EQ(choices.takeFirst().at(0).toInt(), 1);
    QTest::keyClick(&popUp, Qt::Key_Up);
    choices.clear();
    QTest::keyClick(&popUp, Qt::Key_Up);
    QTest::keyClick(&popUp, Qt::Key_Home);
    EXPECT_EQ(popUp.indexOfSelectedItem(), 1);
    EXPECT_EQ(choices.count(), 0);
}

// The camera pop-up is emptied and refilled: its new first item becomes the title, which
// also names it for screen readers.
TEST_F(FrameRatePopUp, RefillingMakesTheNewFirstItemTheTitle) {
    EXPECT_EQ(popUp.accessibleName(), "Frame rate");
    popUp.removeAllItems();
    EXPECT_EQ(popUp.storedIndex(), -1);
    EXPECT_FALSE(popUp.selectStoredIndex(0));
    popUp.addItemWithTitle("Select Camera");
    EXPECT_EQ(popUp.titleOfSelectedItem(), "Select Camera");
    EXPECT_EQ(popUp.accessibleName(), "Select Camera");
    popUp.addItemWithTitle("Integrated Camera");
    popUp.addItemWithTitle("USB Camera");
    popUp.selectItemAtIndex(2);
    EXPECT_EQ(popUp.storedIndex(), 1);
    // The title row is out of the list, every choice in it.
    auto* list = qobject_cast<QListView*>(popUp.view());
    for (int row = 0; row < popUp.count(); ++row)
        EXPECT_EQ(list->isRowHidden(row), row == 0) << row;
    popUp.setTitle("On");
    EXPECT_EQ(popUp.title(), "On");
    EXPECT_EQ(popUp.count(), 3);
}

} // namespace
