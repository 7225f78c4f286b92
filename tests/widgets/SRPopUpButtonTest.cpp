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
    }
    SRPopUpButton popUp;
};

TEST_F(FrameRatePopUp, ShowsItsTitleUntilAChoiceIsMade) {
    EXPECT_EQ(popUp.indexOfSelectedItem(), 0);
    EXPECT_EQ(popUp.storedIndex(), -1);
    EXPECT_EQ(popUp.titleOfSelectedItem(), "Frame rate");
    EXPECT_EQ(popUp.title(), "Frame rate");
}

TEST_F(FrameRatePopUp, StoredIndexIsTheItemMinusOne) {
    struct Case {
        int stored;
        bool accepted;
        int item;
        const char* shown;
    };
    const Case cases[] = {
        {0, true, 1, "15 fps"},
        {1, true, 2, "23.976 fps"},
        {3, true, 4, "60 fps"},
        // A damaged stored value shows the title rather than some other rate.
        {4, false, 0, "Frame rate"},
        {-1, false, 0, "Frame rate"},
        {99, false, 0, "Frame rate"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        popUp.selectItemAtIndex(2);
        EXPECT_EQ(popUp.selectStoredIndex(c.stored), c.accepted);
        EXPECT_EQ(popUp.indexOfSelectedItem(), c.item);
        EXPECT_EQ(popUp.storedIndex(), c.item - 1);
        EXPECT_EQ(popUp.titleOfSelectedItem(), QString::fromUtf8(c.shown));
    }
}

TEST_F(FrameRatePopUp, UserChoiceReportsTheStoredIndex) {
    QSignalSpy choices(&popUp, &SRPopUpButton::choiceMade);
    popUp.show();
    popUp.setFocus();
    popUp.selectStoredIndex(0);
    QTest::keyClick(&popUp, Qt::Key_Down);
    ASSERT_EQ(choices.count(), 1);
    EXPECT_EQ(choices.takeFirst().at(0).toInt(), 1);
    EXPECT_EQ(popUp.titleOfSelectedItem(), "23.976 fps");
}

// From the first choice, moving up or scrolling cannot land on the title.
TEST_F(FrameRatePopUp, TitleCannotBeChosen) {
    QSignalSpy choices(&popUp, &SRPopUpButton::choiceMade);
    popUp.show();
    popUp.setFocus();
    popUp.selectStoredIndex(0);
    QTest::keyClick(&popUp, Qt::Key_Up);
    QTest::keyClick(&popUp, Qt::Key_Home);
    EXPECT_EQ(popUp.indexOfSelectedItem(), 1);
    EXPECT_EQ(choices.count(), 0);
    auto* list = qobject_cast<QListView*>(popUp.view());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isRowHidden(0));
    for (int row = 1; row < popUp.count(); ++row)
        EXPECT_FALSE(list->isRowHidden(row)) << row;
}

// The camera pop-up is emptied and refilled: its new first item becomes the title.
TEST_F(FrameRatePopUp, RefillingMakesTheNewFirstItemTheTitle) {
    popUp.removeAllItems();
    EXPECT_EQ(popUp.storedIndex(), -1);
    EXPECT_EQ(popUp.title(), QString());
    popUp.addItemWithTitle("SelectCaptrue");
    EXPECT_EQ(popUp.titleOfSelectedItem(), "SelectCaptrue");
    popUp.addItemWithTitle("Integrated Camera");
    popUp.addItemWithTitle("USB Camera");
    popUp.selectItemAtIndex(2);
    EXPECT_EQ(popUp.storedIndex(), 1);
    auto* list = qobject_cast<QListView*>(popUp.view());
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isRowHidden(0));
    EXPECT_FALSE(list->isRowHidden(1));
    popUp.setTitle("Main_On");
    EXPECT_EQ(popUp.title(), "Main_On");
    EXPECT_EQ(popUp.count(), 3);
}

TEST_F(FrameRatePopUp, SelectingAMissingItemChangesNothing) {
    popUp.selectItemAtIndex(3);
    popUp.selectItemAtIndex(5);
    popUp.selectItemAtIndex(-2);
    EXPECT_EQ(popUp.indexOfSelectedItem(), 3);
}

TEST(SRPopUpButtonEmpty, SetTitleAddsTheTitleItem) {
    SRPopUpButton popUp;
    EXPECT_EQ(popUp.storedIndex(), -1);
    EXPECT_FALSE(popUp.selectStoredIndex(0));
    popUp.setTitle("Quality");
    EXPECT_EQ(popUp.count(), 1);
    EXPECT_EQ(popUp.titleOfSelectedItem(), "Quality");
}

} // namespace
