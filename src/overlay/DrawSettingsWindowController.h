// The drawing tools' floating palette. Creating it builds the screen overlay on the screen under
// the pointer; its thirteen buttons choose the tool, width, colour and font for the overlay's
// canvas and the whiteboard's, switch the whiteboard on and off, undo and clear. Width, colour
// and font are kept in the preferences for the next palette.
#pragma once

#include "DoodleWhiteWindow.h"
#include "DrawPanelWindow.h"
#include "DrawPopovers.h"

#include <QColor>
#include <QColorDialog>
#include <QFontDialog>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>

class DrawToolButton;

class DrawSettingsWindowController : public QWidget {
    Q_OBJECT
public:
    // Button indices.
    enum Tool {
        Cursor = 1,
        Pencil,
        Text,
        Rect,
        Rond,
        Arrow,
        Beeline,
        LineWidth,
        Color,
        Erase,
        White,
        Undo,
        Clear
    };

    // linecolors: the swatches of the colour popover, the last one opening the colour panel.
    DrawSettingsWindowController(const QList<QColor>& linecolors,
                                 const DrawPanelWindow::Desktop& desktop);
    ~DrawSettingsWindowController() override;

    // The fourteen palette colours, in their order.
    static QList<QColor> paletteColors();

    // Shows the palette centred 50 points above the bottom of the overlay's screen, the
    // overlay below it.
    void showPalette();

    int selectToolIndex() const { return selectToolIndex_; }
    bool isShowWhite() const { return isShowWhite_; }
    DrawPanelWindow* panelWindow() const { return panelWindow_; }
    DrawView* drawView() const { return panelWindow_->contentView(); }
    DoodleWhiteWindow* drawWindow() const { return drawWindow_; }
    DrawToolButton* button(int index) const { return buttons_[size_t(index - 1)]; }
    DrawPopover* widthPopover() const { return widthPopover_; }
    DrawPopover* colorPopover() const { return colorPopover_; }
    QColorDialog* colorPanel() const { return colorPanel_; }
    QFontDialog* fontPanel() const { return fontPanel_; }

    void editpanel();
    void pencilpanel();
    void textpanel();
    void rectpanel();
    void rondpanel();
    void arrowpanel();
    void beelinepanel();
    void linewidthpanel();
    void colorpanel();
    void erasepanel();
    void whitepanel();
    void undopanel();
    void clearpanel();

    void changeLineWidth(int index);
    void changeLineColor(int index);
    void changeColor(const QColor& color);
    void changeFont(const QFont& font);
    void resetToolImage();
    // The overlay lets the mouse through, then overlay and palette close.
    void closeWindow();
    void openFontPanel();
    void openColorPanel();

private:
    void buildOverlay(const DrawPanelWindow::Desktop& desktop);
    void buildButtons();
    void retitle();
    void chooseTool(int index, int64_t tool);
    // The canvases a tool change applies to: the overlay's, and the whiteboard's once made.
    QList<DrawView*> canvases() const;
    void applyColor(const QColor& color);
    void closePopovers();
    // Stacks the tools' windows: overlay, whiteboard, palette, colour panel, font panel.
    void raiseTools();
    void whiteboardClosed();

    QList<QColor> linecolors_;
    QRect screen_;
    int selectToolIndex_ = Cursor;
    bool isShowWhite_ = false;
    DrawPanelWindow* panelWindow_ = nullptr;
    QPointer<DoodleWhiteWindow> drawWindow_;
    std::array<DrawToolButton*, 13> buttons_{};
    DrawToolButton* closeButton_ = nullptr;
    QPointer<DrawPopover> widthPopover_;
    QPointer<DrawPopover> colorPopover_;
    QPointer<QColorDialog> colorPanel_;
    QPointer<QFontDialog> fontPanel_;
};
