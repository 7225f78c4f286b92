// The box in the selection's corner: the selection size, OK and cancel. It is 144 x 30 and
// grows to the left when the size text needs more room.
#pragma once

#include <QSizeF>
#include <QWidget>

class SRButton;

class SRClipIndicatorView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 144;
    static constexpr int kHeight = 30;

    explicit SRClipIndicatorView(QWidget* parent = nullptr);

    // Shows "%.fx%.f" of the selection size less 4 in each direction.
    void setSelectionSize(const QSizeF& size);

    SRButton* frameTextField() const { return frameTextField_; }
    SRButton* okBtn() const { return okBtn_; }
    SRButton* cancelBtn() const { return cancelBtn_; }

private:
    // Names the buttons in the interface language, for screen readers and tool tips.
    void retitle();
    // Puts the buttons at the right edge and gives the size text the room left of them.
    void layOut();

    SRButton* frameTextField_;
    SRButton* okBtn_;
    SRButton* cancelBtn_;
};
