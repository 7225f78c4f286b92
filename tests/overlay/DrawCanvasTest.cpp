#include "DrawView.h"

#include <QCursor>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

namespace {

constexpr int kSize = 200;

struct Canvas {
    DrawView view;
    DrawTouchPointView& canvas = *view.drawView();

    Canvas() {
        view.resize(kSize, kSize);
        view.show();
    }

    // Canvas coordinates, y up.
    void pointAt(int x, int y) { QCursor::setPos(canvas.mapToGlobal(QPoint(x, kSize - y))); }
    void drag(QPoint from, QPoint to) {
        pointAt(from.x(), from.y());
        canvas.mouseDown();
        pointAt((from.x() + to.x()) / 2, to.y());
        canvas.mouseDragged();
        pointAt(to.x(), to.y());
        canvas.mouseDragged();
        canvas.mouseUp();
    }
    DrawTextField* text(size_t i) const {
        return std::get<std::unique_ptr<DrawTextField>>(canvas.actionStroks()[i]).get();
    }
    int fieldsShown() const {
        int n = 0;
        for (const QObject* child : canvas.children())
            n += qobject_cast<const QWidget*>(child)->isVisibleTo(&view);
        return n;
    }

    // One word per operation: T<k> tool, E<0|1> erasing, X eraser, W<n> width, C<colour>,
    // L<0|1> drawing switch, D drag a stroke, P press, t type into the newest field, U undo,
    // R redo, K clear.
    void run(const std::string& ops) {
        static const std::map<char, QColor> colors{
            {'r', Qt::red}, {'g', Qt::green}, {'b', Qt::blue}, {'c', Qt::transparent}};
        const std::map<char, std::function<void(int, char)>> actions{
            {'T', [&](int n, char) { canvas.setDoodleType(n); }},
            {'E', [&](int n, char) { canvas.setIsEarse(n); }},
            {'X', [&](int, char) { view.eraseSreen(); }},
            {'W', [&](int n, char) { canvas.setStrokeWidth(n); }},
            {'C', [&](int, char c) { canvas.setStrokeColor(colors.at(c)); }},
            {'L', [&](int n, char) { canvas.setCanDrawLine(n); }},
            {'D', [&](int, char) { drag(QPoint(20, 20), QPoint(120, 90)); }},
            {'P',
             [&](int, char) {
                 pointAt(30 + 10 * int(canvas.actionStroks().size()), 100);
                 canvas.mouseDown();
                 canvas.mouseUp();
             }},
            {'t', [&](int, char) { text(canvas.actionStroks().size() - 1)->setPlainText("ab"); }},
            {'U', [&](int, char) { canvas.revokeScreen(); }},
            {'R', [&](int, char) { canvas.undoRevokeScreen(); }},
            {'K', [&](int, char) { canvas.clearScreen(); }}};
        std::istringstream words(ops);
        for (std::string op; words >> op;) {
            const int n = op.size() > 1 && std::isdigit(op[1]) ? std::stoi(op.substr(1)) : 0;
            ASSERT_TRUE(actions.count(op[0])) << op;
            actions.at(op[0])(n, op.size() > 1 ? op[1] : ' ');
        }
    }
};

TEST(DrawCanvas, OperationSequencesLeaveToolWidthColourErasingAndLists) {
    struct Case {
        const char* ops;
        int64_t tool;
        double width;
        QColor color;
        bool erasing;
        size_t items, redo;
        int fields = 0;
    } const cases[] = {
        {"", 4, 3, Qt::red, false, 0, 0},
        {"T0 D D U", 0, 3, Qt::red, false, 1, 1},
        {"T0 D U U U R", 0, 3, Qt::red, false, 1, 0},
        {"W5 X D", 4, 20, Qt::red, true, 1, 0},
        // Undo while erasing clears the flag only: width 20 until a tool brings back 5.
        {"W5 X U D", 4, 20, Qt::red, false, 1, 0},
        {"W5 X U T0 E0", 0, 5, Qt::red, false, 0, 0},
        {"W5 Cb X T1 E0", 1, 5, Qt::blue, false, 0, 0},
        {"W5 X X E0", 4, 20, Qt::red, false, 0, 0},
        {"W5 Cb X Cg", 4, 5, Qt::green, false, 0, 0},
        {"W5 Cc", 4, 20, Qt::transparent, true, 0, 0},
        {"W5 Cc E0", 4, 5, Qt::red, false, 0, 0},
        {"Cc T5", 5, 20, Qt::red, false, 0, 0},
        {"D D K U", 4, 3, Qt::red, false, 0, 0},
        {"D D U K R", 4, 3, Qt::red, false, 1, 0},
        // Text: a press commits the field before; an empty one leaves the list.
        {"T5 P t P t", 5, 3, Qt::red, false, 2, 0, 1},
        {"T5 P P", 5, 3, Qt::red, false, 1, 0, 1},
        {"T5 P U", 5, 3, Qt::red, false, 0, 1, 0},
        {"T5 P t U R", 5, 3, Qt::red, false, 1, 0, 1},
        {"T5 P t T0", 0, 3, Qt::red, false, 1, 0, 0},
        {"T5 P t L1", 5, 3, Qt::red, false, 1, 0, 0},
        {"T5 P t X", 4, 20, Qt::red, true, 1, 0, 0},
        {"T0 D T5 L1 D", 5, 3, Qt::red, false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ops);
        Canvas canvas;
        canvas.run(c.ops);
        const DrawTouchPointView& v = canvas.canvas;
        EXPECT_EQ(v.doodleType(), c.tool);
        EXPECT_EQ(v.lineWidth(), c.width);
        EXPECT_EQ(v.lineColor(), c.color);
        EXPECT_EQ(v.isEarse(), c.erasing);
        EXPECT_EQ(v.actionStroks().size(), c.items);
        EXPECT_EQ(v.redoActionStroks().size(), c.redo);
        EXPECT_EQ(canvas.fieldsShown(), c.fields);
    }
}

TEST(DrawCanvas, StrokesFollowThePointerInCanvasCoordinates) {
    Canvas c;
    c.run("W5 Cb X D");
    const auto& erased = *std::get<std::unique_ptr<DWStroke>>(c.canvas.actionStroks()[0]);
    EXPECT_EQ(erased.blendMode, DWStroke::kBlendDestinationIn);
    EXPECT_EQ(erased.lineColor.alpha(), 0);
    EXPECT_EQ(erased.strokeWidth, 20);
    EXPECT_EQ(erased.path.elementCount(), 3);
    EXPECT_EQ(erased.path.currentPosition(), QPointF(120, 90));
    c.run("E0 T0 D");
    const auto& rect = *std::get<std::unique_ptr<DWStroke>>(c.canvas.actionStroks()[1]);
    EXPECT_EQ(rect.beganPoint, QPointF(20, 20));
    EXPECT_EQ(rect.endPoint, QPointF(120, 90));
    EXPECT_EQ(rect.lineColor, QColor(Qt::blue));
    EXPECT_EQ(rect.strokeWidth, 5);
    // With drawing on the text tool starts no stroke, and its drag moves no older one.
    c.run("T5 L1");
    c.drag({150, 150}, {160, 160});
    EXPECT_EQ(rect.endPoint, QPointF(120, 90));
    // The text field's frame: 10 below the press point, 120 wide, the font's size high.
    c.run("T5 P");
    EXPECT_EQ(c.text(2)->geometry(), QRect(50, kSize - 90 - 20, 120, 20));
}

// The cached image shows exactly what drawing every item again in order gives, through
// drags, erasing while dragging, undo and redo.
TEST(DrawCanvas, CachedImageEqualsRedrawingEveryItem) {
    Canvas c;
    auto redrawn = [&] {
        QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(QTransform(1, 0, 0, -1, 0, kSize));
        for (const DrawTouchPointView::Item& item : c.canvas.actionStroks())
            std::get<std::unique_ptr<DWStroke>>(item)->strokeWithContext(painter);
        return image;
    };
    const char* steps[] = {"T0 D", "T2 D", "W8 T4 D", "T1 D U", "R", "X D", "E0 T3 D U U R"};
    for (const char* ops : steps) {
        c.run(ops);
        EXPECT_EQ(c.canvas.image(), redrawn()) << ops;
    }
    // In the middle of freehand drags that turn sharply, drawing and erasing.
    for (const char* ops : {"E0 T4", "X"}) {
        c.run(ops);
        c.pointAt(150, 150);
        c.canvas.mouseDown();
        for (QPoint p : {QPoint(60, 20), QPoint(170, 40), QPoint(30, 160), QPoint(40, 30)}) {
            c.pointAt(p.x(), p.y());
            c.canvas.mouseDragged();
            EXPECT_EQ(c.canvas.image(), redrawn()) << ops;
        }
        c.canvas.mouseUp();
    }
}

} // namespace
