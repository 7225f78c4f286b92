#include "SRButton.h"
#include "RenderCompare.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A button of the artwork's own size, so the image fills it exactly.
struct ImageButton : ::testing::Test {
    ImageButton() {
        button.setImageName("btnStartRecrord_Normal");
        button.resize(64, 64);
    }

    void expectShows(const char* name) {
        EXPECT_EQ(button.currentImageName(), QString::fromUtf8(name));
        EXPECT_LE(maxChannelDifference(grabWidget(button), expectedShowing(button, name)), 2)
            << name;
    }

    SRButton button;
};

TEST_F(ImageButton, ShowsTheImageOfEachState) {
    expectShows("btnStartRecrord_Normal");
    button.setDown(true);
    expectShows("btnStartRecrord_Down");
    button.setDown(false);
    button.setCheckable(true);
    button.setChecked(true);
    expectShows("btnStartRecrord_On");
    // Pressing wins over being on.
    button.setDown(true);
    expectShows("btnStartRecrord_Down");
    button.setDown(false);
    button.setChecked(false);
    expectShows("btnStartRecrord_Normal");
}

TEST_F(ImageButton, MousePressShowsThePressedImageAndReleaseClicks) {
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    button.show();
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(32, 32));
    expectShows("btnStartRecrord_Down");
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(32, 32));
    expectShows("btnStartRecrord_Normal");
    EXPECT_EQ(clicked.count(), 1);
}

// The record flows swap the whole image set by naming one of its images.
TEST_F(ImageButton, NamingAnotherImageSwapsTheWholeSet) {
    button.setImageName("btnStopRecord_Normal");
    expectShows("btnStopRecord_Normal");
    button.setDown(true);
    expectShows("btnStopRecord_Down");
    button.setDown(false);
    button.setImageName("btnPauseRecord_Normal");
    button.setCheckable(true);
    button.setChecked(true);
    expectShows("btnPauseRecord_On");
}

TEST_F(ImageButton, AStateWithoutImageShowsTheNormalImage) {
    button.setImages("icon_18", "icon_18_Down", "icon_18_On");
    button.setDown(true);
    expectShows("icon_18");
    button.setDown(false);
    button.setCheckable(true);
    button.setChecked(true);
    expectShows("icon_18");
}

// The drawing palette names its selected images differently; explicit images serve it.
TEST_F(ImageButton, ExplicitImagesForOtherNamings) {
    button.setImages("画笔", "画笔选中", "画笔选中");
    expectShows("画笔");
    button.setCheckable(true);
    button.setChecked(true);
    expectShows("画笔选中");
}

TEST_F(ImageButton, DisabledButtonIsDimmed) {
    const QImage enabled = grabWidget(button);
    button.setEnabled(false);
    EXPECT_GT(maxChannelDifference(enabled, grabWidget(button)), 16);
    EXPECT_EQ(button.currentImageName(), "btnStartRecrord_Normal");
}

TEST_F(ImageButton, ImageKeepsItsProportionsInAWideButton) {
    button.resize(128, 64);
    expectShows("btnStartRecrord_Normal");
    EXPECT_EQ(SRImage::fittedRect("btnStartRecrord_Normal", button.rect()), QRect(32, 0, 64, 64));
}

TEST(SRButtonTitle, TitleBelowLeavesTheImageAboveIt) {
    SRButton button;
    button.setImageName("btnFullScreen_Normal");
    button.setText("Full Screen");
    button.setTitlePosition(SRButton::TitlePosition::Below);
    const QSize hint = button.sizeHint();
    ASSERT_GT(hint.height(), 64);
    ASSERT_GE(hint.width(), 64);
    button.resize(hint);
    const QColor background = button.palette().color(QPalette::Window);
    // At its hinted size the 64 x 64 artwork sits centred in the top 64 rows, the title below.
    const QRect imageArea(0, 0, hint.width(), 64);
    const QImage expected = composed(hint, background, "btnFullScreen_Normal",
                                     QRect((hint.width() - 64) / 2, 0, 64, 64));
    const QImage shown = grabWidget(button);
    EXPECT_LE(maxChannelDifference(shown.copy(imageArea), expected.copy(imageArea)), 2);
    const QRect titleArea(0, 64, hint.width(), hint.height() - 64);
    EXPECT_GT(maxChannelDifference(shown.copy(titleArea), expected.copy(titleArea)), 64);
}

TEST(SRButtonTitle, TitleOverStretchesTheFace) {
    SRButton button;
    button.setImageName("btnCommon_Normal");
    button.setText("OK");
    button.resize(200, 40);
    EXPECT_GE(button.sizeHint().width(), 120);
    const QImage shown = grabWidget(button);
    // The face's border reaches the left edge of a button wider than the artwork.
    EXPECT_NE(shown.pixel(1, 20), button.palette().color(QPalette::Window).rgb());
}

} // namespace
