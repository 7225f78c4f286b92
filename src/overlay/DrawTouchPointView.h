// The drawing canvas: the list of everything drawn (strokes and text items, oldest first), the
// tool, width and colour of the next stroke, erasing, text entry, undo, redo and clear. Pointer
// positions are read when each event is handled and kept in canvas coordinates (origin bottom
// left, y up).
//
// What is drawn is kept in a premultiplied image: items that can no longer change are flattened
// into a cached layer once, and a drag only recomposes the area the current stroke covers, so a
// repaint does not grow with the number of strokes. The pixels are those of redrawing every item
// in order.
#pragma once

#include "DWStroke.h"
#include "DrawTextField.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <variant>
#include <vector>

class DrawTouchPointView : public QWidget {
    Q_OBJECT
public:
    using Item = std::variant<std::unique_ptr<DWStroke>, std::unique_ptr<DrawTextField>>;

    explicit DrawTouchPointView(QWidget* parent = nullptr);
    ~DrawTouchPointView() override;

    const std::vector<Item>& actionStroks() const { return actionStroks_; }
    const std::vector<Item>& redoActionStroks() const { return redoActionStroks_; }
    int64_t doodleType() const { return doodleType_; }
    QColor lineColor() const { return lineColor_; }
    double lineWidth() const { return lineWidth_; }
    bool isEarse() const { return isEarse_; }
    bool canDrawLine() const { return canDrawLine_; }
    float oldLineWidth() const { return oldLineWidth_; }
    std::optional<QColor> oldLineColor() const { return oldLineColor_; }
    DWStroke* currentStroke() const { return currentStroke_; }
    // New text items take the widget's own font once one has been set (setFont), else the
    // system font at 20 points.

    void setDoodleType(int64_t type);
    void setCanDrawLine(bool canDraw);
    void setIsEarse(bool erasing);
    void eraseSreen();
    void setStrokeColor(const QColor& color);
    void setStrokeWidth(double width);
    void setLineWidth(double width);
    void setLineColor(const QColor& color);
    void revokeScreen();
    void undoRevokeScreen();
    void clearScreen();
    // Drops a text item left empty at the end of the list (leaving the whiteboard).
    void dropTrailingEmptyText();

    // The left button, at the pointer's present position.
    void mouseDown();
    void mouseDragged();
    void mouseUp();

    // Everything drawn, premultiplied, one pixel per widget pixel.
    const QImage& image() const { return frame_; }
    // For a window without an alpha channel: pixels are shown at full strength and those less
    // than half covered not at all, matching a window shape cut at half coverage.
    void setOpaqueInk(bool opaque);

signals:
    // These pixels (widget coordinates) of image() or of the text being typed changed.
    void inkChanged(const QRect& area);
    // A text field took the focus and needs the keyboard.
    void wantsKeyboard();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF pointerLocation() const;
    QRect widgetRect(const QRectF& canvasRect) const;
    DrawTextField* trailingText() const;
    void endTextEntry();
    void placeTextField(const QPointF& at);
    void textChanged(DrawTextField* field);

    size_t liveFrom() const;
    QRect itemArea(const Item& item) const;
    void drawItems(QPainter& painter, size_t from, size_t to) const;
    // Brings the cached layer and the image up to date; `dirty` also changed. With
    // liveChangedOnlyThere, the items not yet in the layer changed nowhere else.
    void refresh(QRect dirty = {}, bool liveChangedOnlyThere = false);

    std::vector<Item> actionStroks_;
    std::vector<Item> redoActionStroks_;
    int64_t doodleType_ = DWStroke::Pencil;
    QColor lineColor_ = Qt::red;
    double lineWidth_ = 3;
    bool isEarse_ = false;
    bool canDrawLine_ = true;
    float oldLineWidth_ = 0;
    std::optional<QColor> oldLineColor_;
    DWStroke* currentStroke_ = nullptr;
    bool dragging_ = false;

    QImage layer_;
    size_t layerCount_ = 0;
    bool layerStale_ = true;
    QImage frame_;
    QRect liveArea_;
    bool opaqueInk_ = false;
};
