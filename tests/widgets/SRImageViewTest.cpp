#include "SRImageView.h"
#include "RenderCompare.h"
#include "SRImage.h"

#include <gtest/gtest.h>

namespace {

TEST(SRImageView, ShowsTheNamedImageFittedAndCentred) {
    SRImageView view;
    view.resize(300, 200);
    for (const char* name : {"3.png", "003.png", "BGImage"}) {
        SCOPED_TRACE(name);
        view.setImageName(name);
        EXPECT_LE(maxChannelDifference(grabWidget(view), expectedShowing(view, name)), 2);
    }
}

TEST(SRImageView, EmptyOrUnknownNameShowsNothing) {
    SRImageView view;
    view.resize(100, 100);
    view.setImageName("icon_18");
    const QImage withImage = grabWidget(view);
    const QImage blank = expectedShowing(view, {});
    EXPECT_GT(maxChannelDifference(withImage, blank), 16);
    view.setImageName("");
    EXPECT_LE(maxChannelDifference(grabWidget(view), blank), 0);
    view.setImageName("noSuchImage");
    EXPECT_LE(maxChannelDifference(grabWidget(view), blank), 0);
}

// The countdown ring turns about the view's centre; half a turn is the picture flipped both ways.
TEST(SRImageView, RotationTurnsAboutTheCentre) {
    SRImageView view;
    view.resize(200, 200);
    view.setImageName("003.png");
    const QImage upright = grabWidget(view);
    view.setRotation(180);
    EXPECT_DOUBLE_EQ(view.rotation(), 180);
    const QImage halfTurn = grabWidget(view);
    EXPECT_GT(maxChannelDifference(upright, halfTurn), 64);
    EXPECT_LE(maxChannelDifference(upright.mirrored(true, true), halfTurn), 8);
    view.setRotation(360);
    EXPECT_LE(maxChannelDifference(upright, grabWidget(view)), 8);
}

TEST(SRImageView, SizeHintIsTheArtworkSize) {
    SRImageView view;
    view.setImageName("010.png");
    EXPECT_EQ(view.sizeHint(), QSize(200, 200));
    view.setImageName("");
    EXPECT_EQ(view.sizeHint(), QSize(0, 0));
}

} // namespace
