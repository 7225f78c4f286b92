#include "DrawTouchPointView.h"

#include "DrawToolPreferences.h"
#include "KTLog.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr double kEraserWidth = 20;
constexpr double kTextFieldWidth = 120;
constexpr double kTextFieldDrop = 10;

DrawTextField* textOf(const DrawTouchPointView::Item& item) {
    const auto* text = std::get_if<std::unique_ptr<DrawTextField>>(&item);
    return text ? text->get() : nullptr;
}

DWStroke* strokeOf(const DrawTouchPointView::Item& item) {
    const auto* stroke = std::get_if<std::unique_ptr<DWStroke>>(&item);
    return stroke ? stroke->get() : nullptr;
}

} // namespace

DrawTouchPointView::DrawTouchPointView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

DrawTouchPointView::~DrawTouchPointView() = default;

void DrawTouchPointView::setDoodleType(int64_t type) {
    doodleType_ = type;
    isEarse_ = false;
    if (type == DWStroke::Text) {
        canDrawLine_ = false;
        if (lineColor_.alpha() == 0)
            lineColor_ = Qt::red;
        return;
    }
    endTextEntry();
    refresh();
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
    canDrawLine_ = true;
}

void DrawTouchPointView::setCanDrawLine(bool canDraw) {
    if (canDraw)
        endTextEntry();
    canDrawLine_ = canDraw;
}

void DrawTouchPointView::setIsEarse(bool erasing) {
    if (erasing) {
        oldLineWidth_ = float(lineWidth_);
        oldLineColor_ = lineColor_;
        if (doodleType_ == DWStroke::Text)
            endTextEntry();
        doodleType_ = DWStroke::Pencil;
        lineWidth_ = kEraserWidth;
        canDrawLine_ = true;
        isEarse_ = true;
        return;
    }
    if (oldLineColor_) {
        lineColor_ = *oldLineColor_;
        oldLineColor_.reset();
    }
    if (oldLineWidth_ > 0) {
        lineWidth_ = oldLineWidth_;
        oldLineWidth_ = 0;
    }
    isEarse_ = false;
}

void DrawTouchPointView::eraseSreen() {
    setDoodleType(DWStroke::Pencil);
    setIsEarse(true);
}

void DrawTouchPointView::setStrokeColor(const QColor& color) {
    // Erasing is switched on first, so that leaving it brings back the colour from before.
    setIsEarse(color.alpha() == 0);
    lineColor_ = color;
    refresh();
}

void DrawTouchPointView::setStrokeWidth(double width) {
    lineWidth_ = width;
}

void DrawTouchPointView::setLineWidth(double width) {
    lineWidth_ = width;
}

void DrawTouchPointView::setLineColor(const QColor& color) {
    lineColor_ = color;
}

void DrawTouchPointView::revokeScreen() {
    isEarse_ = false;
    currentStroke_ = nullptr;
    dragging_ = false;
    if (!actionStroks_.empty()) {
        if (DrawTextField* text = textOf(actionStroks_.back()))
            text->setInView(false);
        redoActionStroks_.push_back(std::move(actionStroks_.back()));
        actionStroks_.pop_back();
        layerStale_ |= actionStroks_.size() < layerCount_;
    }
    refresh();
}

void DrawTouchPointView::undoRevokeScreen() {
    if (redoActionStroks_.empty())
        return;
    if (DrawTextField* text = textOf(redoActionStroks_.back()))
        text->setInView(true);
    actionStroks_.push_back(std::move(redoActionStroks_.back()));
    redoActionStroks_.pop_back();
    refresh();
}

void DrawTouchPointView::clearScreen() {
    isEarse_ = false;
    currentStroke_ = nullptr;
    dragging_ = false;
    while (!actionStroks_.empty())
        actionStroks_.pop_back();
    layerStale_ = true;
    refresh();
}

void DrawTouchPointView::dropTrailingEmptyText() {
    DrawTextField* text = trailingText();
    if (!text || !text->text().isEmpty())
        return;
    const QRect area = text->geometry();
    actionStroks_.pop_back();
    layerStale_ |= actionStroks_.size() < layerCount_;
    refresh(area);
}

void DrawTouchPointView::mouseDown() {
    currentStroke_ = nullptr;
    if (!canDrawLine_) {
        endTextEntry();
        placeTextField(pointerLocation());
        return;
    }
    if (doodleType_ == DWStroke::Text)
        return;
    const QPointF at = pointerLocation();
    auto stroke = std::make_unique<DWStroke>();
    stroke->filletWidth = 5;
    stroke->blendMode = isEarse_ ? DWStroke::kBlendDestinationIn : DWStroke::kBlendNormal;
    stroke->strokeWidth = lineWidth_;
    stroke->lineColor = isEarse_ ? QColor(Qt::transparent) : lineColor_;
    stroke->doodleType = doodleType_;
    if (doodleType_ == DWStroke::Pencil)
        stroke->path.moveTo(at);
    else
        stroke->beganPoint = stroke->endPoint = at;
    currentStroke_ = stroke.get();
    actionStroks_.push_back(std::move(stroke));
    dragging_ = true;
    refresh();
}

void DrawTouchPointView::mouseDragged() {
    if (!canDrawLine_)
        return;
    systemLog(QString::asprintf("_canDrawLine:%d", int(canDrawLine_)));
    systemLog(QString::asprintf("_doodleType:%ld", long(doodleType_)));
    // A press that made no stroke (text tool) leaves nothing to extend.
    if (!currentStroke_)
        return;
    const QPointF at = pointerLocation();
    if (currentStroke_->doodleType == DWStroke::Pencil) {
        currentStroke_->path.lineTo(at);
        // Everywhere else the longer line draws the same pixels as before.
        refresh(widgetRect(currentStroke_->tailBounds()), true);
        return;
    }
    currentStroke_->endPoint = at;
    refresh();
}

void DrawTouchPointView::mouseUp() {
    dragging_ = false;
    refresh();
}

void DrawTouchPointView::setOpaqueInk(bool opaque) {
    opaqueInk_ = opaque;
    update();
}

void DrawTouchPointView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouseDown();
}

void DrawTouchPointView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        mouseDragged();
}

void DrawTouchPointView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        mouseUp();
}

QPointF DrawTouchPointView::pointerLocation() const {
    const QPoint local = mapFromGlobal(QCursor::pos());
    return QPointF(local.x(), height() - local.y());
}

QRect DrawTouchPointView::widgetRect(const QRectF& r) const {
    return QRectF(r.x(), height() - r.y() - r.height(), r.width(), r.height()).toAlignedRect();
}

DrawTextField* DrawTouchPointView::trailingText() const {
    return actionStroks_.empty() ? nullptr : textOf(actionStroks_.back());
}

void DrawTouchPointView::endTextEntry() {
    DrawTextField* text = trailingText();
    if (!text)
        return;
    const QRect area = text->geometry();
    text->commit();
    if (text->text().isEmpty()) {
        actionStroks_.pop_back();
        layerStale_ |= actionStroks_.size() < layerCount_;
    }
    refresh(area);
}

void DrawTouchPointView::placeTextField(const QPointF& at) {
    if (!testAttribute(Qt::WA_SetFont))
        setFont(DrawToolPreferences::systemFont());
    auto field = std::make_unique<DrawTextField>(font(), lineColor_, this);
    const double size = font().pointSizeF() > 0 ? font().pointSizeF() : font().pixelSize();
    field->setGeometry(widgetRect(QRectF(at.x(), at.y() - kTextFieldDrop, kTextFieldWidth, size)));
    connect(field.get(), &QTextEdit::textChanged, this,
            [this, text = field.get()] { textChanged(text); });
    field->show();
    field->setFocus();
    const QRect area = field->geometry();
    actionStroks_.push_back(std::move(field));
    emit wantsKeyboard();
    refresh(area);
}

void DrawTouchPointView::textChanged(DrawTextField* field) {
    const QRect before = field->geometry();
    field->sizeToFit();
    systemLog("text:" + field->text());
    refresh(before | field->geometry());
}

size_t DrawTouchPointView::liveFrom() const {
    const size_t count = actionStroks_.size();
    if (count == 0)
        return 0;
    const Item& last = actionStroks_.back();
    const DrawTextField* text = textOf(last);
    const bool editing = text && !text->isCommitted();
    const bool drawing = dragging_ && strokeOf(last) == currentStroke_;
    return editing || drawing ? count - 1 : count;
}

QRect DrawTouchPointView::itemArea(const Item& item) const {
    if (DWStroke* stroke = strokeOf(item))
        return widgetRect(stroke->bounds());
    DrawTextField* text = textOf(item);
    return text->isCommitted() ? text->committedFrame().adjusted(-2, -2, 2, 2) : text->geometry();
}

void DrawTouchPointView::drawItems(QPainter& painter, size_t from, size_t to) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QTransform flip(1, 0, 0, -1, 0, height());
    for (size_t i = from; i < to; ++i) {
        if (DWStroke* stroke = strokeOf(actionStroks_[i])) {
            painter.setTransform(flip);
            stroke->strokeWithContext(painter);
            continue;
        }
        DrawTextField* text = textOf(actionStroks_[i]);
        if (!text->isCommitted())
            continue;
        painter.resetTransform();
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        text->drawCommitted(painter);
        systemLog(QString::asprintf("=========================================%d", int(i)));
        const QRect frame = text->committedFrame();
        systemLog(QStringLiteral("{{%1, %2}, {%3, %4}},text:%5")
                      .arg(frame.x())
                      .arg(height() - frame.bottom() - 1)
                      .arg(frame.width())
                      .arg(frame.height())
                      .arg(text->text()));
    }
}

void DrawTouchPointView::refresh(QRect dirty, bool liveChangedOnlyThere) {
    if (frame_.size() != size()) {
        layer_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        frame_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        frame_.fill(Qt::transparent);
        layerStale_ = true;
    }
    if (size().isEmpty())
        return;
    const size_t live = liveFrom();
    if (layerStale_ || layerCount_ > live) {
        layer_.fill(Qt::transparent);
        layerCount_ = 0;
        layerStale_ = false;
        dirty = rect();
    }
    if (layerCount_ < live) {
        QPainter painter(&layer_);
        drawItems(painter, layerCount_, live);
        for (size_t i = layerCount_; i < live; ++i)
            dirty |= itemArea(actionStroks_[i]);
        layerCount_ = live;
    }
    QRect liveArea;
    for (size_t i = live; i < actionStroks_.size(); ++i)
        liveArea |= itemArea(actionStroks_[i]);
    if (!liveChangedOnlyThere)
        dirty |= liveArea_ | liveArea;
    dirty &= rect();
    liveArea_ = liveArea;
    if (dirty.isEmpty())
        return;
    {
        QPainter painter(&frame_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(dirty.topLeft(), layer_, dirty);
        painter.setClipRect(dirty);
        drawItems(painter, live, actionStroks_.size());
    }
    update(dirty);
    emit inkChanged(dirty);
}

void DrawTouchPointView::resizeEvent(QResizeEvent*) {
    refresh();
}

void DrawTouchPointView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) {
        const QRect area = r & frame_.rect();
        if (!opaqueInk_) {
            painter.drawImage(area.topLeft(), frame_, area);
            continue;
        }
        // Full strength: un-premultiply, then drop the alpha channel.
        painter.drawImage(area.topLeft(), frame_.copy(area)
                                              .convertToFormat(QImage::Format_ARGB32)
                                              .convertToFormat(QImage::Format_RGB32));
    }
}
