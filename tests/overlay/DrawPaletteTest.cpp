#include "DrawSettingsWindowController.h"
#include "DrawToolButton.h"
#include "InkShape.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "PreferenceKeys.h"
#include "TestApplication.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFontDatabase>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Palette = DrawSettingsWindowController;

struct Tools {
    Palette* palette;

    Tools() : palette(new Palette(Palette::paletteColors(), {})) { palette->showPalette(); }
    // A whiteboard on screen would outlive the palette.
    ~Tools() {
        if (palette->drawWindow())
            palette->drawWindow()->hide();
        delete palette;
    }

    DrawTouchPointView& overlay() const { return *palette->drawView()->drawView(); }
    DrawTouchPointView& board() const { return *palette->drawWindow()->contentView()->drawView(); }
    void stroke(DrawTouchPointView& canvas) const {
        QCursor::setPos(canvas.mapToGlobal(QPoint(10, 10)));
        canvas.mouseDown();
        canvas.mouseUp();
    }
    void run(const std::string& actions) const {
        std::istringstream words(actions);
        for (std::string a; words >> a;) {
            if (a.rfind("swatch", 0) == 0)
                palette->changeLineColor(std::stoi(a.substr(6)));
            else if (a == "draw")
                stroke(overlay());
            else
                palette->button(std::stoi(a))->click();
        }
    }
};

TEST(DrawPalette, OpensWithStoredOrDefaultWidthColourAndFont) {
    struct Case {
        QVariant width, color, fontName, fontSize;
        double expectWidth;
        QColor expectColor;
        QString expectFamily;
        double expectPoints;
    };
    const QVariantMap faint{{"r", 0.0}, {"g", 0.5}, {"b", 1.0}, {"a", 0.2}};
    const Case cases[] = {
        {{}, {}, {}, {}, 2, Qt::red, {}, 20},
        {1, faint, "No Such Font", 14, 2, QColor::fromRgbF(0, 0.5, 1), {}, 14},
        {6.5, {}, "DejaVu Serif", 30, 6.5, Qt::red, "DejaVu Serif", 30},
    };
    const QString system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const Case& c : cases) {
        Preferences& store = freshPreferences();
        const std::pair<const char*, QVariant> stored[] = {{PrefKey::Linewidth, c.width},
                                                           {PrefKey::LineColor, c.color},
                                                           {PrefKey::DrawTextFontName, c.fontName},
                                                           {PrefKey::DrawTextFontSize, c.fontSize}};
        for (const auto& [key, value] : stored)
            if (value.isValid())
                store.setValue(key, value);
        Tools tools;
        EXPECT_EQ(tools.overlay().lineWidth(), c.expectWidth);
        EXPECT_EQ(tools.palette->drawView()->lineWidth(), c.expectWidth);
        EXPECT_EQ(store.floating(PrefKey::Linewidth), c.expectWidth);
        EXPECT_EQ(tools.overlay().lineColor(), c.expectColor);
        EXPECT_EQ(tools.overlay().font().family(),
                  c.expectFamily.isEmpty() ? system : c.expectFamily);
        EXPECT_EQ(tools.overlay().font().pointSizeF(), c.expectPoints);
    }
}

TEST(DrawPalette, ButtonsChooseToolsPopoversPanelsAndTheWhiteboard) {
    struct Case {
        const char* actions;
        int selected;
        bool ignoresMouse, widthOpen, colorPanel, fontPanel, white;
        int64_t tool;
    } const cases[] = {
        {"", 1, true, false, false, false, false, 4},
        {"4", 4, false, false, false, false, false, 0},
        {"4 1", 1, true, false, false, false, false, 0},
        {"8", 2, false, true, false, false, false, 4},
        {"8 8", 2, false, false, false, false, false, 4},
        {"3 8", 3, false, false, true, true, false, 5},
        {"9 swatch13", 1, true, false, true, false, false, 4},
        {"3 9 swatch13", 3, false, false, true, true, false, 5},
        {"11", 2, true, false, false, false, true, 4},
        {"11 11", 2, false, false, false, false, false, 4},
        {"5 11 1", 1, true, false, false, false, true, 1},
        {"10", 10, false, false, false, false, false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.actions);
        freshPreferences();
        Tools tools;
        tools.run(c.actions);
        const Palette& p = *tools.palette;
        EXPECT_EQ(p.selectToolIndex(), c.selected);
        EXPECT_EQ(p.panelWindow()->ignoresMouseEvents(), c.ignoresMouse);
        EXPECT_EQ(bool(p.widthPopover()) && p.widthPopover()->isVisible(), c.widthOpen);
        EXPECT_EQ(p.colorPanel() && p.colorPanel()->isVisible(), c.colorPanel);
        EXPECT_EQ(p.fontPanel() && p.fontPanel()->isVisible(), c.fontPanel);
        EXPECT_EQ(p.isShowWhite(), c.white);
        EXPECT_EQ(tools.overlay().doodleType(), c.tool);
        for (int i = 1; i <= 13; ++i)
            EXPECT_EQ(p.button(i)->currentImageName().endsWith("选中"), i == c.selected) << i;
    }
}

TEST(DrawPalette, ChoicesAreStoredAndReachTheWhiteboard) {
    Preferences& store = freshPreferences();
    Tools tools;
    tools.run("11 11");
    tools.palette->changeLineWidth(2);
    tools.palette->changeLineColor(4);
    for (const DrawTouchPointView* canvas : {&tools.overlay(), &tools.board()}) {
        EXPECT_EQ(canvas->lineWidth(), 8);
        EXPECT_EQ(canvas->lineColor(), QColor(66, 156, 239));
    }
    EXPECT_EQ(store.floating(PrefKey::Linewidth), 8);
    const QVariantMap color = store.dictionary(PrefKey::LineColor);
    EXPECT_NEAR(color.value("b").toDouble(), 239 / 255.0, 1e-6);
    EXPECT_EQ(color.value("a").toDouble(), 1);
    tools.palette->changeFont(QFont("DejaVu Serif", 31));
    EXPECT_EQ(tools.board().font().family(), "DejaVu Serif");
    EXPECT_EQ(store.string(PrefKey::DrawTextFontName), "DejaVu Serif");
    EXPECT_EQ(store.floating(PrefKey::DrawTextFontSize), 31);
}

TEST(DrawPalette, UndoAndClearGoToTheCanvasShowing) {
    freshPreferences();
    Tools tools;
    tools.run("2 draw draw 11");
    tools.stroke(tools.board());
    tools.run("12");
    EXPECT_EQ(tools.board().actionStroks().size(), 0u);
    EXPECT_EQ(tools.overlay().actionStroks().size(), 2u);
    tools.run("11 12");
    EXPECT_EQ(tools.overlay().actionStroks().size(), 1u);
    tools.run("13");
    EXPECT_EQ(tools.overlay().actionStroks().size(), 0u);
}

TEST(DrawPalette, ClosingTheToolsLeavesAShowingWhiteboardUntilItsCloseButton) {
    freshPreferences();
    auto* palette = new Palette(Palette::paletteColors(), {});
    palette->whitepanel();
    QPointer<DoodleWhiteWindow> board = palette->drawWindow();
    QPointer<DrawPanelWindow> overlay = palette->panelWindow();
    palette->closeWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(overlay);
    ASSERT_TRUE(board);
    EXPECT_TRUE(board->isVisible());
    board->findChild<DrawToolButton*>()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(board);
}

TEST(DrawPalette, NamesFollowTheLanguageAndHoverShowsTheSelectedImage) {
    Preferences& store = freshPreferences();
    Tools tools;
    DrawToolButton* rect = tools.palette->button(Palette::Rect);
    EXPECT_EQ(rect->accessibleName(), "Rectangle");
    tools.run("3");
    EXPECT_EQ(tools.palette->button(Palette::LineWidth)->accessibleName(), "Font");
    store.setValue(PrefKey::AppLanguage, 1);
    store.setValue(PrefKey::isLanguageChanged, true);
    emit NotificationCenter::defaultCenter().ChangeLanguageNotification();
    EXPECT_EQ(rect->accessibleName(), "矩形");
    // The pointer shows the selected image, and leaving shows the normal one even when chosen.
    QEnterEvent enter({}, {}, {});
    QCoreApplication::sendEvent(rect, &enter);
    EXPECT_EQ(rect->currentImageName(), "矩形选中");
    DrawToolButton* text = tools.palette->button(Palette::Text);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(text, &leave);
    EXPECT_EQ(text->currentImageName(), "文字");
}

TEST(InkShape, RectanglesCoverExactlyThePixelsMoreThanHalfCovered) {
    QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y, qRgba(0, 0, 0, (x * 7 + y * y * 3) % 256));
    const QRect area(3, 2, 30, 25);
    QRegion shown;
    for (const QRect& r : inkRects(image, area))
        shown += r;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(shown.contains(QPoint(x, y)),
                      area.contains(x, y) && qAlpha(image.pixel(x, y)) >= kInkAlpha)
                << x << "," << y;
}

} // namespace
