#include "CursorOverlay.h"

#include <QPainter>
#include <QtGlobal>

#include <optional>

#include "ArrowCursor.h"
#include "ClickEffectState.h"
#include "CompositionSettings.h"
#include "CursorOverlayImages.h"
#include "Displays.h"
#include "Pointer.h"
#include "WatermarkImage.h"
#include "WatermarkPlacement.h"
#include "WatermarkTimeText.h"

namespace {

constexpr double kHighlightHalf = 20;
constexpr double kRingHalf = 30;
constexpr float kRingStep = 2;
constexpr float kRingEnd = 60;

} // namespace

CursorOverlay::CursorOverlay(Pointer& pointer, ArrowCursor& cursor, const Displays& displays,
                             ClickEffectState& clickEffect, const CompositionSettings& settings,
                             std::function<CaptureArea()> captureArea,
                             std::function<QDateTime()> now)
    : pointer_(pointer), cursor_(cursor), displays_(displays), clickEffect_(clickEffect),
      settings_(settings), captureArea_(std::move(captureArea)), now_(std::move(now)) {}

QRectF CursorOverlay::frameRect() const {
    const CaptureArea area = captureArea_();
    double primaryHeight = 0;
    // Only window bounds need the primary screen; screen modes skip the look-up.
    if (area.isWindowBounds) {
        if (const std::optional<DisplayInfo> primary = displays_.mainScreen())
            primaryHeight = primary->frame.height();
    }
    return globalFrameRect(area, primaryHeight);
}

CursorOverlay::Drawing CursorOverlay::drawing(const QPointF& mouse, const CursorImage& arrow,
                                              const QRectF& frame,
                                              const WatermarkSettings& watermark,
                                              const QDateTime& now) const {
    Drawing d;
    d.mouse = QPoint(int(mouse.x()), int(mouse.y()));
    d.arrow = arrow.image.cacheKey();
    d.hotSpot = arrow.hotSpot;
    d.hidden = arrow.hidden;
    d.frame = frame;
    d.showMouse = settings_.isShowMouse();
    d.highlight = settings_.isMouseHight();
    // A ring changes every frame while it runs.
    d.ring = settings_.isMouseClickEffect() && clickEffect_.isCursorClick;
    d.watermarkType = watermark.watermarkType;
    d.timeText = watermark.isTimeTextWatermark;
    if (d.timeText)
        d.text =
            timeText(timeFramStyle(watermark.timeFramStyles, watermark.timeFramStyleIndex), now);
    d.watermarkImage = watermark.watermarkImage.cacheKey();
    d.font = watermark.textWatermarkFont;
    d.color = watermark.textWatermarkColor;
    d.alpha = watermark.watermarkAlpha;
    d.placement = settings_.watermarkPlacement();
    return d;
}

bool CursorOverlay::drawsAsBefore() const {
    const Drawing now = drawing(pointer_.mouseLocation(), cursor_.arrowCursor(), frameRect(),
                                settings_.watermarkSettings(), now_());
    std::lock_guard lock(drawnMutex_);
    return !now.ring && drawn_ == now;
}

void CursorOverlay::appendMouseCursor(QImage& frame) {
    if (frame.isNull())
        return;
    const QPointF mouse = pointer_.mouseLocation();
    const int mx = int(mouse.x());
    const int my = int(mouse.y());
    const CursorImage arrow = cursor_.arrowCursor();
    const int iw = int(arrow.image.width());
    const int ih = int(arrow.image.height());
    const QRectF rect = frameRect();
    const WatermarkSettings watermark = settings_.watermarkSettings();
    const QDateTime now = now_();
    {
        std::lock_guard lock(drawnMutex_);
        drawn_ = drawing(mouse, arrow, rect, watermark, now);
    }

    // Lower-left corner of the cursor picture in frame coordinates, and its centre.
    const int px = int(mx - rect.x() - arrow.hotSpot.x());
    const int py = int(my - rect.y() - (ih / 2 + arrow.hotSpot.y()));
    const QPointF center(px + iw / 2.0, py + ih / 2.0);

    const int height = frame.height();
    // Opened at the first drawing only: a painter makes a shared frame a copy of its own, which
    // a frame with nothing to draw does not need.
    std::optional<QPainter> opened;
    const auto painter = [&]() -> QPainter& {
        if (!opened)
            opened.emplace(&frame);
        return *opened;
    };

    if (settings_.isMouseHight() && !arrow.hidden) {
        // Hidden while a ring runs and the cursor has not left the spot it started at.
        // Compared exactly: a move of any size shows the highlight again.
        const QPointF ringStart = clickEffect_.cursorCenter;
        const QPointF cursorStart = center - QPointF(kRingHalf, kRingHalf);
        const bool ringAtCursor = clickEffect_.isCursorClick && ringStart.x() == cursorStart.x() &&
                                  ringStart.y() == cursorStart.y();
        if (!ringAtCursor) {
            const QRectF box(center - QPointF(kHighlightHalf, kHighlightHalf),
                             QSizeF(2 * kHighlightHalf, 2 * kHighlightHalf));
            painter().drawImage(frameRectToImage(box, height), cursorHighlightImage());
        }
    }

    if (settings_.isMouseClickEffect() && clickEffect_.isCursorClick &&
        clickEffect_.cursorEffectWidth > 0) {
        float width = clickEffect_.cursorEffectWidth;
        if (width == ClickEffectState::kArmedWidth)
            clickEffect_.cursorCenter = center - QPointF(kRingHalf, kRingHalf);
        width += kRingStep;
        clickEffect_.cursorEffectWidth = width;
        if (width >= kRingEnd) {
            clickEffect_.isCursorClick = false;
            clickEffect_.cursorEffectWidth = 0;
        } else {
            qInfo("self.cursorEffectWidth:%f", double(width));
            const QRectF box(clickEffect_.cursorCenter.load(),
                             QSizeF(2 * kRingHalf, 2 * kRingHalf));
            painter().drawImage(frameRectToImage(box, height), clickRingImage(width / 2 - 6));
        }
    }

    if (settings_.isShowMouse() && !arrow.image.isNull())
        painter().drawImage(frameRectToImage(QRectF(px, py, iw, ih), height), arrow.image);

    const QImage picture = watermarkImageForFrame(watermark, now);
    if (!picture.isNull()) {
        const QRectF box =
            watermarkRect(picture.size(), frame.width(), height, settings_.watermarkPlacement(),
                          watermark.isTimeTextWatermark);
        painter().setRenderHint(QPainter::SmoothPixmapTransform);
        painter().drawImage(frameRectToImage(box, height), picture);
    }
}
