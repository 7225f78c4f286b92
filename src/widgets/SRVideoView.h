// Shows the latest picture of a video as large as fits, aspect kept, on black; a notice, when
// set, is written over it.
#pragma once

#include <QImage>
#include <QWidget>

class SRVideoView : public QWidget {
public:
    explicit SRVideoView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    void setNotice(const QString& notice);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QString notice_;
};
