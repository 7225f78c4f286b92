// The full-screen selection overlay of one screen: the user drags out a rectangle, takes the
// window under the pointer, or the whole screen. All geometry is in the overlay's coordinates:
// origin at the lower left of the covered screen, y up.
#pragma once

#include "CropHandles.h"
#include "Displays.h"
#include "GKImageCropOverlayView.h"
#include "SRClipViewDelegate.h"

#include <QImage>
#include <QLabel>
#include <QPointF>
#include <QPointer>
#include <QRectF>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class GKCropBorderView;
class Platform;
class SRButton;
class SRClipIndicatorView;
class SRClipMagnifierView;

// One mouse event in overlay coordinates.
struct SRClipMouseEvent {
    QPointF location;
    int clickCount = 1;
};

class SRClipView : public GKImageCropOverlayView {
    Q_OBJECT
public:
    enum ClipState : int32_t { Nothing = 0, Pressed = 1, Drawing = 2, Established = 3 };
    enum DragMode : int32_t { DragNone = 0, DragResize = 1, DragMove = 2 };
    enum Type : uint64_t { WatermarkPlacement = 0, RecordingArea = 1 };

    // frame: the covered screen's frame; the overlay takes its size at origin 0.
    SRClipView(const QRectF& frame, uint64_t type, Platform& platform, QWidget* parent = nullptr);
    ~SRClipView() override;

    // Starts over with `frame` selected; toolbar (may be null) appears after the first release.
    void showClipViewWithFrame(const QRectF& frame, QWidget* toolbar);
    // Makes a selection rectangle current.
    void setFrameForContentView(const QRectF& frame);
    // Sets the border frame; the selection is that inset by 6.
    void setContentFrame(const QRectF& frame);
    QRectF contentFrame() const { return contentFrame_; }
    // The selection rectangle.
    QRectF contentRect() const { return contentRect_; }

    // The frozen picture of the covered screen, own full-screen window left out.
    QImage getCapturedImage();
    void startNoteButtonClick();
    void cancelBtnAction();

    // Mouse handling in overlay coordinates; the Qt event handlers land here too.
    void mouseDown(const SRClipMouseEvent& event);
    void mouseDragged(const SRClipMouseEvent& event);
    void mouseUp(const SRClipMouseEvent& event);
    void rightMouseUp(const SRClipMouseEvent& event);
    void mouseMoved(const SRClipMouseEvent& event);

    SRClipViewDelegate* delegate() const { return delegate_; }
    void setDelegate(SRClipViewDelegate* delegate) { delegate_ = delegate; }

    // The session controller's recording mode: 0 full screen, 1 custom area, 2 window.
    unsigned recordVideoType() const { return recordVideoType_; }
    void setRecordVideoType(unsigned type) { recordVideoType_ = type; }
    // The screen this overlay covers; default: the screen under the pointer at set-up.
    void setScreen(const DisplayInfo& screen) { screen_ = screen; }
    // Without a compositing manager the frozen picture is painted under the darkening.
    bool compositing() const { return compositing_; }
    void setCompositing(bool compositing);
    // Seconds on any steady scale; tests drive it.
    void setClock(std::function<double()> now) { now_ = std::move(now); }
    // Hears the selection each time it is drawn (the application controller's lastWindowRect).
    void setLastWindowRectHandler(std::function<void(const QRectF&)> handler) {
        setLastWindowRect_ = std::move(handler);
    }
    // The current recording-area overlay of the application, if any: a release in window mode
    // starts through it at once.
    void setRecordingAreaOverlay(std::function<SRClipView*()> overlay) {
        recordingAreaOverlay_ = std::move(overlay);
    }

    int32_t clipState() const { return clipState_; }
    // Established: the selection already stands, so the first drag moves or resizes it.
    void setClipState(int32_t state) { clipState_ = state; }
    int32_t dragState() const { return dragState_; }
    int32_t dragMode() const { return dragMode_; }
    uint64_t type() const { return type_; }
    double overlayAlpha() const { return overlayAlpha_; }
    void setOverlayAlpha(double alpha);
    QImage waterImage() const { return waterImage_; }
    void setWaterImage(const QImage& image) { waterImage_ = image; }
    bool haveSetClearColor() const { return haveSetClearColor_; }
    void setHaveSetClearColor(bool set) { haveSetClearColor_ = set; }
    // Painted under everything else until the first hover clears it.
    void setLayerBackgroundColor(const QColor& colour);
    QRectF lastContentRect() const { return lastContentRect_; }
    QPointF theAnchor() const { return theAnchor_; }
    SRResizeMultiplyer resizeMultiplyer() const { return resizeMultiplyer_; }
    QWidget* toolbarView() const { return toolbarView_; }
    QImage screenImage() const { return screenImage_; }
    const std::vector<uint32_t>& onScreenWindows() const { return onScreenWindows_; }
    const std::vector<uint32_t>& desktopElements() const { return desktopElements_; }

    GKCropBorderView* cropBorderView() const { return cropBorderView_; }
    QLabel* indicatorField() const { return indicatorField_; }
    SRClipIndicatorView* indicatorView() const { return indicatorView_; }
    SRClipMagnifierView* cursorpointView() const { return cursorpointView_; }

    // Overlay coordinates to widget coordinates and back (the y axis flips).
    QRectF toWidget(const QRectF& rect) const;
    QPointF fromWidget(const QPointF& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setUpUI();
    void layoutSubviews();
    void placeWidget(QWidget* widget, const QRectF& frame);
    void showToolbar();
    // Where the toolbar sits: centred on the border, just above its lower edge.
    QPoint toolbarTarget() const;
    void updateMagnifier();
    double minimumSize() const;
    // False before set-up, when there is no border yet.
    bool isInResizeRect(const QPointF& q) const;
    DisplayInfo currentScreen() const;

    Platform& platform_;
    std::vector<uint32_t> desktopElements_;
    std::vector<uint32_t> onScreenWindows_;
    bool haveSetClearColor_ = false;
    int32_t clipState_ = Nothing;
    int32_t dragState_ = 0;
    int32_t dragMode_ = DragNone;
    SRClipViewDelegate* delegate_ = nullptr;
    QWidget* contentView_ = nullptr;
    GKCropBorderView* cropBorderView_ = nullptr;
    QLabel* indicatorField_ = nullptr;
    SRClipIndicatorView* indicatorView_ = nullptr;
    double overlayAlpha_ = 0.5;
    uint64_t type_ = RecordingArea;
    QImage waterImage_;
    QPointer<QWidget> toolbarView_;
    double lastDate_ = 0;
    SRClipMagnifierView* cursorpointView_ = nullptr;
    QImage screenImage_;
    // The whole screen as it looked at set-up, shown when nothing composites the overlay.
    QImage backdropImage_;
    QPointF theAnchor_;
    QPointF startPoint_;
    SRResizeMultiplyer resizeMultiplyer_;
    QPointF rectBeginPoint_;
    QPointF rectEndPoint_;
    QRectF contentFrame_;
    QRectF contentRect_;
    QRectF lastContentRect_;
    QPointF pointer_;

    unsigned recordVideoType_ = 1;
    std::optional<DisplayInfo> screen_;
    bool compositing_ = true;
    QColor layerBackgroundColor_ = Qt::transparent;
    std::function<double()> now_;
    std::function<void(const QRectF&)> setLastWindowRect_;
    std::function<SRClipView*()> recordingAreaOverlay_;
};
