// One drag repaint of the drawing canvas on a 1920 x 1080 overlay that already holds 1,000
// strokes: with the canvas's cache of committed strokes, and redrawing every stroke as an
// uncached canvas would. Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCursor>
#include <QLoggingCategory>
#include <QPainter>
#include <QRandomGenerator>

#include "DrawTouchPointView.h"

namespace {

constexpr int kStrokes = 1000;

void dragTo(DrawTouchPointView& canvas, QPoint at) {
    QCursor::setPos(at);
    canvas.mouseDragged();
}

// Rectangles, ellipses, arrows, lines and 20-point freehand lines all over the screen.
void fill(DrawTouchPointView& canvas) {
    QRandomGenerator random(7);
    auto point = [&] { return QPoint(random.bounded(1920), random.bounded(1080)); };
    for (int i = 0; i < kStrokes; ++i) {
        canvas.setDoodleType(i % 5);
        canvas.setStrokeWidth(2 + i % 7);
        QCursor::setPos(point());
        canvas.mouseDown();
        const int drags = i % 5 == 4 ? 20 : 1;
        const QPoint start = QCursor::pos();
        for (int d = 0; d < drags; ++d)
            dragTo(canvas, start + QPoint(random.bounded(-200, 200), random.bounded(-200, 200)));
        canvas.mouseUp();
    }
}

struct Scene {
    DrawTouchPointView canvas;
    QImage screen{1920, 1080, QImage::Format_ARGB32_Premultiplied};
    QRect dirty;

    Scene() {
        canvas.resize(1920, 1080);
        fill(canvas);
        QObject::connect(&canvas, &DrawTouchPointView::inkChanged,
                         [this](const QRect& area) { dirty = area; });
        // The stroke being dragged: a line.
        canvas.setDoodleType(3);
        QCursor::setPos({900, 500});
        canvas.mouseDown();
    }
};

Scene& scene() {
    static Scene s;
    return s;
}

// The cached canvas: the drag recomposes what the line covers, the window shows that area.
void BM_DragRepaintCached(benchmark::State& state) {
    Scene& s = scene();
    int step = 0;
    for (auto _ : state) {
        dragTo(s.canvas, {1000 + (step++ % 2) * 300, 600});
        QPainter(&s.screen).drawImage(s.dirty.topLeft(), s.canvas.image(), s.dirty);
        benchmark::DoNotOptimize(s.screen.constBits());
    }
}

// Every item redrawn from its geometry into a cleared canvas, then the whole window shown.
void BM_DragRepaintUncached(benchmark::State& state) {
    Scene& s = scene();
    QImage canvas(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        DWStroke* line = s.canvas.currentStroke();
        line->endPoint = QPointF(1000 + (step++ % 2) * 300, 480);
        canvas.fill(Qt::transparent);
        {
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setTransform(QTransform(1, 0, 0, -1, 0, 1080));
            for (const DrawTouchPointView::Item& item : s.canvas.actionStroks())
                std::get<std::unique_ptr<DWStroke>>(item)->strokeWithContext(painter);
        }
        QPainter(&s.screen).drawImage(0, 0, canvas);
        benchmark::DoNotOptimize(s.screen.constBits());
    }
}

} // namespace

BENCHMARK(BM_DragRepaintCached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragRepaintUncached)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Arrows and drags write diagnostic lines; the terminal is not what is measured.
    QLoggingCategory::setFilterRules("tapedeck.info=false");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
