// A countdown shown as a large digit in front of a ring that turns once per tick. It counts
// down from the seconds it is started with and tells its delegate once when it reaches zero.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class CircleCounterView;
class QPropertyAnimation;
class SRImageView;

class CircleCounterViewDelegate {
public:
    virtual ~CircleCounterViewDelegate() = default;
    virtual void counterDownFinished(CircleCounterView* view) = 0;
};

class CircleCounterView : public QWidget {
    Q_OBJECT
public:
    // Runs `tick` once, `seconds` from now, on the main thread, unless `context` is gone by
    // then. Tests put a hand-driven clock in place of the timer.
    using TickScheduler =
        std::function<void(QObject* context, double seconds, std::function<void()> tick)>;
    // An empty scheduler puts the main run loop's timers back.
    static void setTickScheduler(TickScheduler scheduler);
    // The digits' face, "Courier-Bold" at the given size.
    static QFont courierBold(int pointSize);

    explicit CircleCounterView(const QRect& frame, QWidget* parent = nullptr);
    ~CircleCounterView() override;

    // Nothing happens unless `seconds` is above 0 and no run is in progress.
    void startWithSeconds(float seconds);
    // A run shorter than one tick ticks ten times instead.
    void startWithSeconds(float seconds, float interval);
    void startWithSeconds(float seconds, float interval, const QString& format);
    // Halts without reporting a finish.
    void stop();
    void updateTime();

    void startAnimtion(bool reverse);
    void stopAnimation();

    float circleTimeInterval() const { return mCircleTimeInterval; }
    void setCircleTimeInterval(float interval) { mCircleTimeInterval = interval; }
    QColor numberColor() const { return mNumberColor; }
    void setNumberColor(const QColor& color) { mNumberColor = color; }
    QFont numberFont() const { return mNumberFont; }
    void setNumberFont(const QFont& font) { mNumberFont = font; }
    QColor circleColor() const { return mCircleColor; }
    void setCircleColor(const QColor& color) { mCircleColor = color; }
    double circleBorderWidth() const { return mCircleBorderWidth; }
    void setCircleBorderWidth(double width) { mCircleBorderWidth = width; }
    QString timeFormatString() const { return mTimeFormatString; }
    bool circleIncre() const { return mCircleIncre; }
    void setCircleIncre(bool incre) { mCircleIncre = incre; }

    float timeInSeconds() const { return mTimeInSeconds; }
    float timeInterval() const { return mTimeInterval; }
    bool isRunning() const { return mIsRunning; }
    int32_t circleSegs() const { return mCircleSegs; }
    // The ring turns while a digit is shown.
    bool isAnimating() const;

    CircleCounterViewDelegate* delegate = nullptr;
    SRImageView* imageBgView;
    SRImageView* imageView;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showImagesForTime(float t);

    float mCircleTimeInterval = 1.0f;
    QColor mNumberColor = Qt::black;
    QFont mNumberFont;
    QColor mCircleColor = Qt::black;
    double mCircleBorderWidth = 6;
    float mTimeInSeconds = 20;
    float mTimeInterval = 1;
    QString mTimeFormatString = "%.0f";
    bool mIsRunning = false;
    int32_t mCircleSegs = 0;
    bool mCircleIncre = false;
    bool isStarting = false;
    QPointer<QPropertyAnimation> rotateAnimation_;
};
