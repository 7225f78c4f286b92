#include "FakePlatform.h"
#include "PreWatermarkWindowController.h"
#include "PreferenceKeys.h"
#include "SRClipView.h"
#include "TestApplication.h"
#include "WatermarkBox.h"

#include <gtest/gtest.h>

namespace {

TEST(WatermarkPlacement, OkStoresTheBoxCentreAndScaleAndCancelNothing) {
    struct Case {
        const char* name;
        QSize image;
        QRectF moved; // empty: left where it starts
        bool ok;
        float x, y, scale; // stored; untouched by Cancel
    };
    const Case cases[] = {
        {"a wide picture starts 560 wide", {1200, 300}, {}, true, 280 / 594.f, 70 / 334.f, 1},
        {"enlarged to 840", {1200, 300}, {0, 0, 840, 210}, true, 420 / 594.f, 105 / 334.f, 1.5f},
        {"centred", {100, 40}, {247, 147, 100, 40}, true, 0.5f, 0.5f, 1},
        {"cancel", {100, 40}, {247, 147, 100, 40}, false, 0.25f, 0.75f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Preferences& store = freshPreferences();
        store.setValue(PrefKey::Watermark_center_x, 0.25f);
        store.setValue(PrefKey::Watermark_center_y, 0.75f);
        store.setValue(PrefKey::Watermark_scale, 2.0f);
        QImage image(c.image, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::red);
        FakePlatform platform;
        PreWatermarkWindowController window(image, platform);
        EXPECT_EQ(window.clipView()->contentRect(), initialWatermarkBox(c.image));
        if (!c.moved.isEmpty())
            window.clipView()->setFrameForContentView(c.moved);
        c.ok ? window.okBtnAction() : window.cancelAction();
        EXPECT_FLOAT_EQ(float(store.floating(PrefKey::Watermark_center_x)), c.x);
        EXPECT_FLOAT_EQ(float(store.floating(PrefKey::Watermark_center_y)), c.y);
        EXPECT_FLOAT_EQ(float(store.floating(PrefKey::Watermark_scale)), c.scale);
    }
}

} // namespace
