// A text item of a drawing canvas. While the user types it is an editable field with a thin
// border in its colour; once committed it is hidden and the canvas draws its text instead.
#pragma once

#include <QTextEdit>

class QPainter;

class DrawTextField : public QTextEdit {
    Q_OBJECT
public:
    DrawTextField(const QFont& font, const QColor& color, QWidget* parent);

    QString text() const { return toPlainText(); }
    QColor textColor() const { return color_; }
    bool isCommitted() const { return committed_; }

    // Sizes the frame to the text; the top-left corner stays.
    void sizeToFit();
    // Ends editing: no border, hidden, read-only.
    void commit();
    // Whether the field belongs to the canvas's list (undo takes it out of the view).
    void setInView(bool inView);

    // Where the canvas draws the committed text: the fitted frame, at least 120 wide.
    QRect committedFrame();
    void drawCommitted(QPainter& painter);

private:
    QColor color_;
    bool committed_ = false;
    bool inView_ = true;
};
