// The 144 x 30 box in the selection's corner: the selection size, OK and cancel.
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
    SRButton* frameTextField_;
    SRButton* okBtn_;
    SRButton* cancelBtn_;
};
