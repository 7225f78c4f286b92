// The watermark placement window: the current watermark as a movable, resizable box over a
// sample picture ("BGImage") that stands for a frame 594 points wide. The box always starts
// at the bottom-left corner at scale 1; OK stores its centre and scale, Cancel nothing.
#pragma once

#include <QDialog>

class Platform;
class QLabel;
class QPushButton;
class SRClipView;

class PreWatermarkWindowController : public QDialog {
    Q_OBJECT
public:
    PreWatermarkWindowController(const QImage& watermark, Platform& platform,
                                 QWidget* parent = nullptr);

    void okBtnAction();
    void cancelAction();
    void ChangeLoanguage();
    SRClipView* clipView() const { return clipView_; }

private:
    QLabel* titlelabel_ = nullptr;
    QLabel* imageView_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    SRClipView* clipView_ = nullptr;
    double baseWidth_ = 0;
};
