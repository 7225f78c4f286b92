#include "SRButton.h"
#include "RenderCompare.h"

#include <QAccessible>

#include <gtest/gtest.h>

namespace {

// A button of the artwork's own size, so the image fills it exactly.
struct ImageButton : ::testing::Test {
    ImageButton() {
        button.setImageName("btnStartRecrord_Normal");
        button.resize(64, 64);
    }

    // Puts the button in a state and checks the image it names and draws.
    void expectShows(bool down, bool on, const char* name) {
        button.setCheckable(true);
        button.setChecked(on);
        button.setDown(down);
        EXPECT_EQ(button.currentImageName(), QString::fromUtf8(name));
        EXPECT_LE(maxChannelDifference(grabWidget(button), expectedShowing(button, name)), 2)
            << name;
    }

    SRButton button;
};

TEST_F(ImageButton, ShowsTheImageOfEachState) {
    expectShows(false, false, "btnStartRecrord_Normal");
    expectShows(true, false, "btnStartRecrord_Down");
    expectShows(false, true, "btnStartRecrord_On");
    expectShows(true, true, "btnStartRecrord_Down"); // pressing wins over being on
    // The record flows swap the whole set by naming one of its images.
    button.setImageName("btnStopRecord_Normal");
    expectShows(true, false, "btnStopRecord_Down");
    // The drawing palette names its selected images differently: explicit images serve it.
    button.setImages("画笔", "画笔选中", "画笔选中");
    expectShows(false, true, "画笔选中");
    // A state without an image shows the normal one.
    button.setImages("icon_18", "icon_18_Down", "icon_18_On");
    expectShows(true, true, "icon_18");
    // In a wide button the image keeps its proportions.
    button.setImageName("btnStartRecrord_Normal");
    button.resize(128, 64);
    expectShows(false, false, "btnStartRecrord_Normal");
}

TEST_F(ImageButton, DisabledButtonIsDimmed) {
    const QImage enabled = grabWidget(button);
    button.setEnabled(false);
    EXPECT_GT(maxChannelDifference(enabled, grabWidget(button)), 16);
}

// Screen readers call an image-only button by its tool tip, and a titled one by its title.
TEST_F(ImageButton, NamedByItsToolTipOrTitle) {
    const auto name = [](QWidget& w) {
        return QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Name);
    };
    for (const char* tip : {"Start Recording", "Stop Recording"}) {
        button.setToolTip(tip);
        EXPECT_EQ(name(button), tip);
    }
    button.setText("Full Screen");
    button.setToolTip("Records the whole screen");
    EXPECT_EQ(name(button), "Full Screen");
}

// At its hinted size the 64 x 64 artwork sits centred in the top 64 rows, the title below.
TEST(SRButtonTitle, TitleBelowLeavesTheImageAboveItAndOverStretchesIt) {
    SRButton button;
    button.setImageName("btnFullScreen_Normal");
    button.setText("Full Screen");
    button.setTitlePosition(SRButton::TitlePosition::Below);
    const QSize hint = button.sizeHint();
    ASSERT_GT(hint.height(), 64);
    button.resize(hint);
    const QImage expected = composed(hint, button.palette().color(QPalette::Window),
                                     "btnFullScreen_Normal", {(hint.width() - 64) / 2, 0, 64, 64});
    const QImage shown = grabWidget(button);
    const QRect image(0, 0, hint.width(), 64), title(0, 64, hint.width(), hint.height() - 64);
    EXPECT_LE(maxChannelDifference(shown.copy(image), expected.copy(image)), 2);
    EXPECT_GT(maxChannelDifference(shown.copy(title), expected.copy(title)), 64);
    // Over: the face stretches; its border reaches the left edge of a wider button.
    button.setImageName("btnCommon_Normal");
    button.setTitlePosition(SRButton::TitlePosition::Over);
    button.resize(200, 40);
    EXPECT_NE(grabWidget(button).pixel(1, 20), button.palette().color(QPalette::Window).rgb());
}

} // namespace
