// tapedeck-testpattern [fps]: shows the moving test picture over the whole primary screen, as
// a desktop window under every other, until it is ended. Gives a virtual desktop something
// that changes in every frame, for demos and benchmarks.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

#include "TestSignal.h"

namespace {

class PatternWindow : public QWidget {
public:
    explicit PatternWindow(double fps) {
        setWindowFlags(Qt::FramelessWindowHint);
        setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
        connect(&timer_, &QTimer::timeout, this, [this] {
            ++index_;
            update();
        });
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.start(int(1000 / fps));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.size() != size())
            picture_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        tapedeck::paintTestFrame(picture_.bits(), picture_.width(), picture_.height(),
                                 int(picture_.bytesPerLine()), index_);
        QPainter(this).drawImage(0, 0, picture_);
    }

private:
    QTimer timer_;
    QImage picture_;
    int64_t index_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const double fps = argc > 1 ? std::atof(argv[1]) : 30;
    if (!(fps > 0 && fps <= 240))
        return 2;
    PatternWindow window(fps);
    window.show();
    return app.exec();
}
