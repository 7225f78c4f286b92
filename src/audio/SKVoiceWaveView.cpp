#include "SKVoiceWaveView.h"

#include <QMetaObject>
#include <QPainter>
#include <QResizeEvent>

#include <cmath>

SKVoiceWaveView::SKVoiceWaveView(QWidget* parent) : QWidget(parent), width_(float(width())) {}

void SKVoiceWaveView::resizeEvent(QResizeEvent* event) {
    std::lock_guard lock(mutex_);
    if (initialFrame_.isEmpty())
        initialFrame_ = event->size();
    width_ = float(event->size().width());
    // A view that has its size shows its idle baseline before the first level comes.
    fillIfEmpty();
}

void SKVoiceWaveView::fillIfEmpty() {
    if (!pointArray_.empty() || width_ < 0)
        return;
    pointArray_.resize(size_t(std::floor(width_)) + 1);
}

QSizeF SKVoiceWaveView::initialFrame() const {
    std::lock_guard lock(mutex_);
    return initialFrame_;
}

std::deque<VoiceStroke> SKVoiceWaveView::pointArray() const {
    std::lock_guard lock(mutex_);
    return pointArray_;
}

std::deque<VoiceStroke> SKVoiceWaveView::tempPointArray() const {
    std::lock_guard lock(mutex_);
    return tempPointArray_;
}

bool SKVoiceWaveView::addLevel(double level, bool isRecording) {
    std::lock_guard lock(mutex_);
    if (islock_)
        return false;
    fillIfEmpty();
    if (pointArray_.size() > 1) {
        tempPointArray_.push_back(pointArray_.front());
        pointArray_.pop_front();
    }
    VoiceStroke column;
    column.point_y = float(level);
    column.isRecording = isRecording;
    // The last column stays the newest idle baseline.
    pointArray_.insert(pointArray_.empty() ? pointArray_.end() : pointArray_.end() - 1, column);
    if (tempPointArray_.size() > pointArray_.size())
        tempPointArray_.pop_front();
    return true;
}

void SKVoiceWaveView::updateSampleData() {
    QMetaObject::invokeMethod(
        this, [this] { update(); }, Qt::QueuedConnection);
}

void SKVoiceWaveView::paintEvent(QPaintEvent*) {
    std::deque<VoiceStroke> columns;
    {
        std::lock_guard lock(mutex_);
        islock_ = true;
        fillIfEmpty();
        columns = pointArray_;
    }
    if (height() > 0) {
        QPainter painter(this);
        const double middle = 34.0;
        for (size_t i = 0; i < columns.size(); ++i) {
            const VoiceStroke& c = columns[i];
            painter.setPen(QPen(c.isRecording ? Qt::green : Qt::white, c.strokeWidth));
            painter.drawLine(QPointF(double(i), middle + c.point_y),
                             QPointF(double(i), middle - c.point_y));
        }
    }
    std::lock_guard lock(mutex_);
    islock_ = false;
}
