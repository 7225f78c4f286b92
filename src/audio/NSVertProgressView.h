// A vertical level bar: a rounded dark track whose inner bar rises from the bottom to the
// given fraction of its height.
#pragma once

#include <QColor>
#include <QWidget>

#include <atomic>

class NSVertProgressView : public QWidget {
public:
    explicit NSVertProgressView(QWidget* parent = nullptr);

    // Any thread: the value is kept at once, the bar follows on the main thread. Values
    // outside 0..1 (and NaN) are held to the range.
    void setProgress(float progress);
    float progress() const { return progress_.load(); }

    void setTrackColor(const QColor& color);
    QColor trackColor() const { return trackColor_; }
    QWidget* trackView() const { return trackView_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void layoutTrack();

    std::atomic<float> progress_{0};
    QColor trackColor_;
    QWidget* trackView_;
};
