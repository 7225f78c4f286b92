// A button of the drawing palette. It shows its artwork, or the selected artwork (the same name
// followed by "选中") while it is the chosen tool; the pointer entering it shows the selected
// artwork and leaving it the normal one, until the palette sets the images again.
#pragma once

#include <QAbstractButton>

class DrawToolButton : public QAbstractButton {
    Q_OBJECT
public:
    DrawToolButton(int index, const QString& imageName, QWidget* parent);

    int index() const { return index_; }
    void setShowsSelected(bool selected);
    QString currentImageName() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int index_;
    QString imageName_;
    bool showsSelected_ = false;
};
