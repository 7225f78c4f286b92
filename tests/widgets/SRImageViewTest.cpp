#include "SRImageView.h"
#include "RenderCompare.h"
#include "SRImage.h"

#include <gtest/gtest.h>

namespace {

TEST(SRImageView, ShowsTheNamedImageFittedCentredAndTurned) {
    SRImageView view;
    view.resize(300, 200);
    for (const char* name : {"3.png", "003.png", "BGImage", "", "noSuchImage"}) {
        SCOPED_TRACE(name);
        view.setImageName(name);
        const QString shown = SRImage::exists(name) ? QString(name) : QString();
        EXPECT_LE(maxChannelDifference(grabWidget(view), expectedShowing(view, shown)), 2);
    }
    EXPECT_EQ(view.sizeHint(), QSize(0, 0));
    view.setImageName("010.png");
    EXPECT_EQ(view.sizeHint(), QSize(200, 200)); // the artwork's size
    // The countdown ring turns about the view's centre: half a turn is the picture flipped
    // both ways.
    view.setImageName("003.png");
    const QImage upright = grabWidget(view);
    view.setRotation(180);
    const QImage halfTurn = grabWidget(view);
    EXPECT_GT(maxChannelDifference(upright, halfTurn), 64);
    EXPECT_LE(maxChannelDifference(upright.mirrored(true, true), halfTurn), 8);
    view.setRotation(360);
    EXPECT_LE(maxChannelDifference(upright, grabWidget(view)), 8);
}

} // namespace
