// The palette's popovers: three line widths, and one swatch per palette colour, the last of
// which opens the colour panel. A press outside closes a popover and goes no further.
#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

class QAbstractButton;

class DrawPopover : public QWidget {
    Q_OBJECT
public:
    // 200 x 60 with three choices: widths 2, 5 and 8 as bars 3, 6 and 9 thick.
    static DrawPopover* widthPopover(QWidget* parent);
    // 230 x 60 with a round swatch per colour in two rows; the last is titled "...".
    static DrawPopover* colorPopover(const QList<QColor>& colors, QWidget* parent);

    // Opens below `anchor` (above it near the bottom of the screen), left edges aligned.
    void showUnder(const QWidget* anchor);

signals:
    void chosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DrawPopover(const QSize& size, QWidget* parent);
    // frame: origin at the popover's bottom left, y up.
    void addChoice(QAbstractButton* choice, int index, const QRectF& frame, const QString& nameKey);
};
