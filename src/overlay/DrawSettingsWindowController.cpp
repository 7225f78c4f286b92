#include "DrawSettingsWindowController.h"

#include "DoodleWhiteWindow.h"
#include "DrawPopovers.h"
#include "DrawToolButton.h"
#include "DrawToolPreferences.h"
#include "KTLog.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "WindowDragger.h"

#include <QColorDialog>
#include <QCursor>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

namespace {

const QColor kBackground(31, 31, 40);
constexpr int kBottomGap = 50;

struct ButtonSpec {
    const char* name;
    const char* image;
};

// Left to right; a button's index is its place here plus one.
constexpr ButtonSpec kButtons[] = {
    {"cursorBtn", "鼠标"}, {"pencilBtn", "画笔"},  {"textBtn", "文字"},    {"rectBtn", "矩形"},
    {"rondBtn", "椭圆"},   {"arrowBtn", "箭头"},   {"beelineBtn", "直线"}, {"lineWidthBtn", "线宽"},
    {"colorBtn", "颜色"},  {"eraseBtn", "橡皮擦"}, {"whiteBtn", "白板"},   {"undoBtn", "撤销"},
    {"clearBtn", "清除"}};

} // namespace

QList<QColor> DrawSettingsWindowController::paletteColors() {
    return {QColor(236, 92, 86),   QColor(234, 168, 68),
            QColor(124, 223, 195), QColor(68, 68, 68),
            QColor(66, 156, 239),  QColor(194, 230, 145),
            QColor(0, 255, 255),   QColor(173, 54, 216),
            QColor(132, 89, 50),   QColor(146, 207, 72),
            QColor(191, 40, 40),   QColor(Qt::black),
            QColor(Qt::white),     QColor::fromRgbF(0.5, 0.5, 0.5)};
}

DrawSettingsWindowController::DrawSettingsWindowController(const QList<QColor>& linecolors,
                                                           const DrawPanelWindow::Desktop& desktop)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus),
      linecolors_(linecolors) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(DrawToolPreferences::textFont());
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    screen_ = (screen ? screen : QGuiApplication::primaryScreen())->geometry();
    buildOverlay(desktop);
    buildButtons();
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &DrawSettingsWindowController::retitle);
    retitle();
}

DrawSettingsWindowController::~DrawSettingsWindowController() {
    delete panelWindow_;
    delete colorPanel_;
    delete fontPanel_;
    // A whiteboard on screen stays until its own close button; a hidden one goes now.
    if (drawWindow_ && drawWindow_->isVisible())
        drawWindow_->setAttribute(Qt::WA_DeleteOnClose);
    else
        delete drawWindow_;
}

void DrawSettingsWindowController::buildOverlay(const DrawPanelWindow::Desktop& desktop) {
    panelWindow_ = new DrawPanelWindow(screen_, desktop);
    const double width = DrawToolPreferences::takeLineWidth();
    drawView()->drawView()->setFont(font());
    drawView()->setLineWidth(width);
    drawView()->setLineColor(DrawToolPreferences::lineColor());
    panelWindow_->setIgnoresMouseEvents(true);
    panelWindow_->orderFront();
}

void DrawSettingsWindowController::buildButtons() {
    QPalette colors = palette();
    colors.setColor(QPalette::Window, kBackground);
    setPalette(colors);
    setAutoFillBackground(true);
    new WindowDragger(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(6);
    closeButton_ = new DrawToolButton(0, QStringLiteral("关闭"), this);
    closeButton_->setFixedSize(20, 20);
    connect(closeButton_, &QAbstractButton::clicked, this, [this] {
        systemLog(QStringLiteral("windowShouldClose"));
        closeWindow();
    });
    row->addWidget(closeButton_);
    row->addSpacing(6);
    using Action = void (DrawSettingsWindowController::*)();
    const Action actions[] = {
        &DrawSettingsWindowController::editpanel,    &DrawSettingsWindowController::pencilpanel,
        &DrawSettingsWindowController::textpanel,    &DrawSettingsWindowController::rectpanel,
        &DrawSettingsWindowController::rondpanel,    &DrawSettingsWindowController::arrowpanel,
        &DrawSettingsWindowController::beelinepanel, &DrawSettingsWindowController::linewidthpanel,
        &DrawSettingsWindowController::colorpanel,   &DrawSettingsWindowController::erasepanel,
        &DrawSettingsWindowController::whitepanel,   &DrawSettingsWindowController::undopanel,
        &DrawSettingsWindowController::clearpanel};
    for (size_t i = 0; i < buttons_.size(); ++i) {
        auto* button = new DrawToolButton(int(i) + 1, QString::fromUtf8(kButtons[i].image), this);
        // Width and colour open their popovers as the button goes down.
        if (button->index() == LineWidth || button->index() == Color)
            connect(button, &QAbstractButton::pressed, this, actions[i]);
        else
            connect(button, &QAbstractButton::clicked, this, actions[i]);
        row->addWidget(button);
        buttons_[i] = button;
    }
    resetToolImage();
}

void DrawSettingsWindowController::retitle() {
    for (DrawToolButton* button : buttons_) {
        QString name = QString::fromLatin1(kButtons[button->index() - 1].name);
        if (button->index() == LineWidth && selectToolIndex_ == Text)
            name = QStringLiteral("fontBtn");
        const QString text = Localization::localizedStringForKey(name + ".toolTip");
        button->setToolTip(text);
        button->setAccessibleName(text);
    }
    closeButton_->setAccessibleName(Localization::localizedStringForKey("Draw_Close"));
    closeButton_->setToolTip(closeButton_->accessibleName());
    setWindowTitle(Localization::localizedStringForKey("Menu_Edit_DooleTool"));
    setAccessibleName(windowTitle());
}

void DrawSettingsWindowController::showPalette() {
    adjustSize();
    // Centred on the overlay's screen, 50 points above its bottom edge.
    move(screen_.x() + (screen_.width() - width()) / 2,
         screen_.y() + screen_.height() - kBottomGap - height());
    show();
    raiseTools();
}

QList<DrawView*> DrawSettingsWindowController::canvases() const {
    QList<DrawView*> views{drawView()};
    if (drawWindow_)
        views << drawWindow_->contentView();
    return views;
}

void DrawSettingsWindowController::chooseTool(int index, int64_t tool) {
    selectToolIndex_ = index;
    for (DrawView* view : canvases()) {
        DrawTouchPointView* canvas = view->drawView();
        canvas->setDoodleType(tool);
        canvas->setIsEarse(false);
        canvas->setCanDrawLine(tool != DWStroke::Text);
    }
    panelWindow_->setCanBecomeKey(tool == DWStroke::Text);
    if (tool == DWStroke::Text && isShowWhite_)
        drawWindow_->orderFront();
    resetToolImage();
}

void DrawSettingsWindowController::editpanel() {
    systemLog(QStringLiteral("editpanel"));
    selectToolIndex_ = Cursor;
    panelWindow_->setIgnoresMouseEvents(true);
    for (DrawView* view : canvases())
        view->drawView()->setCanDrawLine(true);
    resetToolImage();
}

void DrawSettingsWindowController::pencilpanel() {
    systemLog(QStringLiteral("pencilpanel"));
    chooseTool(Pencil, DWStroke::Pencil);
}

void DrawSettingsWindowController::textpanel() {
    systemLog(QStringLiteral("textpanel"));
    chooseTool(Text, DWStroke::Text);
}

void DrawSettingsWindowController::rectpanel() {
    systemLog(QStringLiteral("rectpanel"));
    chooseTool(Rect, DWStroke::Rectangle);
}

void DrawSettingsWindowController::rondpanel() {
    systemLog(QStringLiteral("rondpanel"));
    chooseTool(Rond, DWStroke::Ellipse);
}

void DrawSettingsWindowController::arrowpanel() {
    systemLog(QStringLiteral("arrowpanel"));
    chooseTool(Arrow, DWStroke::Arrow);
}

void DrawSettingsWindowController::beelinepanel() {
    systemLog(QStringLiteral("beelinepanel"));
    chooseTool(Beeline, DWStroke::Line);
}

void DrawSettingsWindowController::resetToolImage() {
    for (DrawToolButton* button : buttons_)
        button->setShowsSelected(button->index() == selectToolIndex_);
    retitle();
    if (!isShowWhite_)
        panelWindow_->setIgnoresMouseEvents(selectToolIndex_ == Cursor);
    closePopovers();
    raiseTools();
}

void DrawSettingsWindowController::closePopovers() {
    if (widthPopover_)
        widthPopover_->close();
    if (colorPopover_)
        colorPopover_->close();
}

void DrawSettingsWindowController::raiseTools() {
    panelWindow_->orderFront();
    if (isShowWhite_ && drawWindow_)
        drawWindow_->orderFront();
    if (isVisible())
        raise();
    for (QWidget* panel : {static_cast<QWidget*>(colorPanel_), static_cast<QWidget*>(fontPanel_)})
        if (panel && panel->isVisible())
            panel->raise();
}

void DrawSettingsWindowController::linewidthpanel() {
    systemLog(QStringLiteral("linewidthpanel"));
    if (colorPopover_)
        colorPopover_->close();
    if (widthPopover_) {
        widthPopover_->close();
        return;
    }
    if (selectToolIndex_ == Cursor)
        pencilpanel();
    else
        resetToolImage();
    if (selectToolIndex_ == Text) {
        openFontPanel();
        return;
    }
    widthPopover_ = DrawPopover::widthPopover(this);
    connect(widthPopover_, &DrawPopover::chosen, this,
            &DrawSettingsWindowController::changeLineWidth);
    widthPopover_->showUnder(button(LineWidth));
}

void DrawSettingsWindowController::changeLineWidth(int index) {
    systemLog(QStringLiteral("changeLineWidth"));
    panelWindow_->setCanBecomeKey(false);
    const double widths[] = {2, 5, 8};
    if (index >= 0 && index < 3)
        for (DrawView* view : canvases())
            view->setLineWidth(widths[index]);
    DrawToolPreferences::storeLineWidth(drawView()->lineWidth());
    closePopovers();
}

void DrawSettingsWindowController::colorpanel() {
    systemLog(QStringLiteral("colorpanel"));
    if (widthPopover_)
        widthPopover_->close();
    if (colorPopover_) {
        colorPopover_->close();
        return;
    }
    colorPopover_ = DrawPopover::colorPopover(linecolors_, this);
    connect(colorPopover_, &DrawPopover::chosen, this,
            &DrawSettingsWindowController::changeLineColor);
    colorPopover_->showUnder(button(Color));
}

void DrawSettingsWindowController::changeLineColor(int index) {
    systemLog(QStringLiteral("changeLineColor"));
    closePopovers();
    if (index == linecolors_.size() - 1) {
        openFontPanel();
        return;
    }
    if (index < 0 || index >= linecolors_.size())
        return;
    applyColor(linecolors_[index]);
    DrawToolPreferences::storeLineColor(drawView()->lineColor());
}

void DrawSettingsWindowController::applyColor(const QColor& color) {
    for (DrawView* view : canvases()) {
        view->setLineColor(color);
        view->drawView()->setStrokeColor(view->lineColor());
    }
}

void DrawSettingsWindowController::changeColor(const QColor& color) {
    systemLog(QStringLiteral("changeColor"));
    applyColor(color);
    DrawToolPreferences::storeLineColor(drawView()->lineColor());
}

void DrawSettingsWindowController::changeFont(const QFont& chosen) {
    systemLog(QStringLiteral("changeFont"));
    setFont(chosen);
    for (DrawView* view : canvases())
        view->drawView()->setFont(chosen);
    DrawToolPreferences::storeTextFont(chosen);
}

// The system panels float above the palette, out of the window manager's stacking, like the
// rest of the tools; closing one brings overlay and palette back in order.
void DrawSettingsWindowController::openFontPanel() {
    systemLog(QStringLiteral("openFontPanel"));
    if (selectToolIndex_ == Text) {
        setFont(DrawToolPreferences::systemFont());
        if (!fontPanel_) {
            fontPanel_ = new QFontDialog(nullptr);
            fontPanel_->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint |
                                       Qt::X11BypassWindowManagerHint);
            connect(fontPanel_, &QFontDialog::currentFontChanged, this,
                    &DrawSettingsWindowController::changeFont);
            connect(fontPanel_, &QDialog::finished, this, [this] {
                raiseTools();
                resetToolImage();
            });
        }
        // Showing the present font is no choice of one.
        const QSignalBlocker quiet(fontPanel_);
        fontPanel_->setCurrentFont(font());
    }
    openColorPanel();
    if (fontPanel_ && selectToolIndex_ == Text) {
        // Side by side above the palette: fonts left of its middle, colours right.
        fontPanel_->move(x() + width() / 2 - fontPanel_->sizeHint().width() - 5,
                         std::max(screen_.y(), y() - fontPanel_->sizeHint().height() - 10));
        fontPanel_->show();
        fontPanel_->raise();
        fontPanel_->activateWindow();
    }
}

void DrawSettingsWindowController::openColorPanel() {
    systemLog(QStringLiteral("openColorPanel"));
    if (!colorPanel_) {
        colorPanel_ = new QColorDialog(drawView()->lineColor(), nullptr);
        colorPanel_->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint |
                                    Qt::X11BypassWindowManagerHint);
        colorPanel_->setOption(QColorDialog::DontUseNativeDialog);
        connect(colorPanel_, &QColorDialog::currentColorChanged, this,
                &DrawSettingsWindowController::changeColor);
        connect(colorPanel_, &QDialog::finished, this, [this] {
            raiseTools();
            resetToolImage();
        });
    }
    colorPanel_->move(x() + width() / 2 + 5,
                      std::max(screen_.y(), y() - colorPanel_->sizeHint().height() - 10));
    colorPanel_->show();
    colorPanel_->raise();
    colorPanel_->activateWindow();
}

void DrawSettingsWindowController::erasepanel() {
    systemLog(QStringLiteral("erasepanel"));
    selectToolIndex_ = Erase;
    panelWindow_->setCanBecomeKey(false);
    for (DrawView* view : canvases())
        view->drawView()->setIsEarse(true);
    resetToolImage();
}

void DrawSettingsWindowController::whitepanel() {
    systemLog(QStringLiteral("whitepanel"));
    panelWindow_->setCanBecomeKey(false);
    if (isShowWhite_) {
        isShowWhite_ = false;
        drawWindow_->contentView()->drawView()->dropTrailingEmptyText();
        panelWindow_->setContentVisible(true);
        drawWindow_->hide();
        panelWindow_->setIgnoresMouseEvents(selectToolIndex_ == Cursor);
    } else {
        isShowWhite_ = true;
        panelWindow_->setContentVisible(false);
        panelWindow_->setIgnoresMouseEvents(true);
        if (!drawWindow_) {
            drawWindow_ = new DoodleWhiteWindow(screen_);
            connect(drawWindow_, &DoodleWhiteWindow::closeClicked, this,
                    &DrawSettingsWindowController::whiteboardClosed);
        }
        drawWindow_->orderFront();
        const DrawTouchPointView* overlay = drawView()->drawView();
        DrawTouchPointView* board = drawWindow_->contentView()->drawView();
        board->setDoodleType(overlay->doodleType());
        board->setFont(overlay->font());
        board->setStrokeWidth(overlay->lineWidth());
        board->setLineColor(overlay->lineColor());
        board->setCanDrawLine(overlay->canDrawLine());
        // While the overlay erases, so does the board, giving back the same width and colour.
        if (overlay->isEarse()) {
            board->setStrokeWidth(overlay->oldLineWidth());
            board->setLineColor(overlay->oldLineColor().value_or(overlay->lineColor()));
            board->setIsEarse(true);
        }
    }
    if (selectToolIndex_ == Cursor)
        pencilpanel();
    resetToolImage();
}

void DrawSettingsWindowController::whiteboardClosed() {
    systemLog(QStringLiteral("whiteboardClosed"));
    panelWindow_->setContentVisible(true);
    panelWindow_->setIgnoresMouseEvents(false);
    isShowWhite_ = false;
    DrawTouchPointView* board = drawWindow_->contentView()->drawView();
    drawView()->drawView()->setDoodleType(board->doodleType());
    board->dropTrailingEmptyText();
    resetToolImage();
}

void DrawSettingsWindowController::undopanel() {
    systemLog(QStringLiteral("undopanel"));
    panelWindow_->setCanBecomeKey(false);
    (isShowWhite_ ? drawWindow_->contentView() : drawView())->revokeScreen();
}

void DrawSettingsWindowController::clearpanel() {
    systemLog(QStringLiteral("clearpanel"));
    panelWindow_->setCanBecomeKey(false);
    (isShowWhite_ ? drawWindow_->contentView() : drawView())->clearScreen();
    if (selectToolIndex_ == Text)
        textpanel();
}

void DrawSettingsWindowController::closeWindow() {
    systemLog(QStringLiteral("closeWindow"));
    panelWindow_->setIgnoresMouseEvents(true);
    panelWindow_->close();
    close();
}
