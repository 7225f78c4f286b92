// The audio-only mode's scrolling wave: one column per buffer, symmetric about the middle
// line, green while recording and white while idle.
#pragma once

#include <QWidget>

#include <deque>
#include <mutex>

struct VoiceStroke {
    float point_x = 0;
    float point_y = 0.5f; // half-height of the column, in points
    int32_t blendMode = 0;
    double strokeWidth = 1.0;
    bool isRecording = false;
};

class SKVoiceWaveView : public QWidget {
public:
    explicit SKVoiceWaveView(QWidget* parent = nullptr);

    // Scrolls in one column of the given level; called on the audio queue. A level that comes
    // while the view draws is dropped. Returns false then.
    bool addLevel(double level, bool isRecording);
    // Redraws on the main thread.
    void updateSampleData();

    std::deque<VoiceStroke> pointArray() const;
    std::deque<VoiceStroke> tempPointArray() const;
    // The first size the view got; read on the audio queue.
    QSizeF initialFrame() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void fillIfEmpty(); // needs mutex_

    mutable std::mutex mutex_;
    std::deque<VoiceStroke> pointArray_;
    std::deque<VoiceStroke> tempPointArray_;
    bool islock_ = false;
    QSizeF initialFrame_;
    float width_;
};
