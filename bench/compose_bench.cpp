// Composition of one 1920 x 1080 screen frame: arrow cursor, highlight, a running click ring
// and the time watermark, each alone and all together. Run with QT_QPA_PLATFORM=offscreen;
// for instruction counts run one case under valgrind --tool=callgrind.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "ArrowCursor.h"
#include "ClickEffectState.h"
#include "CompositionSettings.h"
#include "CursorOverlay.h"
#include "Displays.h"
#include "Pointer.h"
#include "TestSignal.h"

namespace {

struct BenchPointer : Pointer {
    QPointF mouseLocation() const override { return {960.4, 540.7}; }
};

// A 24 x 24 arrow-sized picture, as the cursor theme gives it.
struct BenchCursor : ArrowCursor {
    CursorImage arrowCursor() const override {
        CursorImage c;
        c.image = QImage(24, 24, QImage::Format_ARGB32_Premultiplied);
        c.image.fill(Qt::transparent);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x <= y / 2; ++x)
                c.image.setPixel(x, y, 0xff000000);
        c.hotSpot = {4, 4};
        return c;
    }
};

// Whole-screen frames never ask where the primary screen is.
struct BenchDisplays : Displays {
    std::vector<DisplayInfo> screens() const override { return {}; }
    std::optional<DisplayInfo> mainScreen() const override { return {}; }
    std::optional<DisplayInfo> currentScreenForMouseLocation() const override { return {}; }
};

struct BenchSettings : CompositionSettings {
    bool mouse = true, highlight = true, ring = true, time = true;
    bool isShowMouse() const override { return mouse; }
    bool isMouseHight() const override { return highlight; }
    bool isMouseClickEffect() const override { return ring; }
    WatermarkSettings watermarkSettings() const override {
        WatermarkSettings s;
        s.isTimeTextWatermark = time;
        s.timeFramStyles = {"yyyy-MM-dd HH:mm:ss"};
        return s;
    }
    WatermarkPlacement watermarkPlacement() const override { return {0, 0, 1}; }
};

// Arguments: cursor, highlight, ring, time watermark (1 = on).
void BM_Compose1080p(benchmark::State& state) {
    BenchPointer pointer;
    BenchCursor cursor;
    BenchDisplays displays;
    ClickEffectState click;
    BenchSettings settings;
    settings.mouse = state.range(0);
    settings.highlight = state.range(1);
    settings.ring = state.range(2);
    settings.time = state.range(3);
    CursorOverlay overlay(pointer, cursor, displays, click, settings, [] {
        return CaptureArea{QRectF(0, 0, 1920, 1080), QRectF(), false};
    });
    QImage frame(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    tapedeck::paintTestFrame(frame.bits(), 1920, 1080, int(frame.bytesPerLine()), 0);
    for (auto _ : state) {
        // Keep a ring running at mid size in every frame.
        click.isCursorClick = true;
        click.cursorEffectWidth = 44;
        overlay.appendMouseCursor(frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

} // namespace

BENCHMARK(BM_Compose1080p)
    ->ArgNames({"cursor", "highlight", "ring", "time"})
    ->Args({0, 0, 0, 0})
    ->Args({1, 0, 0, 0})
    ->Args({0, 1, 0, 0})
    ->Args({0, 0, 1, 0})
    ->Args({0, 0, 0, 1})
    ->Args({1, 1, 1, 1})
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
