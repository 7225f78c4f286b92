#pragma once

#include "SRImage.h"

#include <QAbstractButton>
#include <QString>

// A push button drawn from the images of an image set: the normal image at rest, the "_Down"
// image while pressed and the "_On" image while checked. A state whose image does not exist shows
// the normal image. An optional title is drawn over the image or below it. A button without a
// title is named for screen readers by its tool tip.
class SRButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class TitlePosition { Over, Below };

    explicit SRButton(QWidget* parent = nullptr);

    // Shows the image set that `name` belongs to ("btnStopRecord_Normal" → "btnStopRecord_*").
    void setImageName(const QString& name);
    // Image sets that do not follow the suffix naming: the three images are given one by one.
    void setImages(const QString& normal, const QString& down, const QString& on);
    QString imageName(SRImageState state) const;

    // The image the button shows in its present state.
    QString currentImageName() const;

    void setTitlePosition(TitlePosition position);
    TitlePosition titlePosition() const { return titlePosition_; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect imageRect() const;

    QString images_[3];
    TitlePosition titlePosition_ = TitlePosition::Over;
};
