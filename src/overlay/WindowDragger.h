// Moves a frameless window while its background (`handle`) is dragged.
#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

class WindowDragger : public QObject {
public:
    // Lives as long as the handle.
    explicit WindowDragger(QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* handle_;
    QPoint grab_;
    bool dragging_ = false;
};
