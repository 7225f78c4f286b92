#pragma once

#include <QString>
#include <QWidget>

// Shows one named image, scaled to the view with its proportions kept and centred. The image can
// be turned about the view's centre (the countdown ring turns once per second).
class SRImageView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal rotation READ rotation WRITE setRotation)
public:
    explicit SRImageView(QWidget* parent = nullptr);

    // An empty name clears the view.
    void setImageName(const QString& name);
    QString imageName() const { return imageName_; }

    // Clockwise turn in degrees.
    void setRotation(qreal degrees);
    qreal rotation() const { return rotation_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString imageName_;
    qreal rotation_ = 0;
};
