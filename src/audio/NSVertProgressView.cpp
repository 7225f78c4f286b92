#include "NSVertProgressView.h"

#include <QMetaObject>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBackground = QColor::fromRgbF(0.192f, 0.192f, 0.239f);

void paintRounded(QWidget* widget, const QColor& color, double radius) {
    QPainter painter(widget);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(widget->rect(), radius, radius);
}

// The inner bar, drawn in its owner's track colour with the owner's corner radius.
class TrackView : public QWidget {
public:
    explicit TrackView(NSVertProgressView* owner) : QWidget(owner), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        paintRounded(this, owner_->trackColor(), owner_->width() / 2.0);
    }

private:
    NSVertProgressView* owner_;
};

} // namespace

NSVertProgressView::NSVertProgressView(QWidget* parent)
    : QWidget(parent), trackColor_(Qt::green), trackView_(new TrackView(this)) {
    layoutTrack();
}

void NSVertProgressView::setProgress(float progress) {
    progress_ = std::isnan(progress) ? 0.0f : std::clamp(progress, 0.0f, 1.0f);
    QMetaObject::invokeMethod(
        this, [this] { layoutTrack(); }, Qt::QueuedConnection);
}

void NSVertProgressView::setTrackColor(const QColor& color) {
    trackColor_ = color;
    trackView_->update();
}

void NSVertProgressView::layoutTrack() {
    const int h = int(std::lround(progress_.load() * height()));
    trackView_->setGeometry(0, height() - h, width(), h);
}

void NSVertProgressView::resizeEvent(QResizeEvent*) {
    layoutTrack();
}

void NSVertProgressView::paintEvent(QPaintEvent*) {
    paintRounded(this, kBackground, width() / 2.0);
}
