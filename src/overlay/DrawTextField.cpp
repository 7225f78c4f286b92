#include "DrawTextField.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBorder = 1;
constexpr int kMinimumCommittedWidth = 120;

} // namespace

DrawTextField::DrawTextField(const QFont& font, const QColor& color, QWidget* parent)
    : QTextEdit(parent), color_(color) {
    setFont(font);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    document()->setDocumentMargin(0);
    setAlignment(Qt::AlignLeft);
    setStyleSheet(QStringLiteral("QTextEdit { background: transparent; color: %1; border: %2px "
                                 "solid %1; }")
                      .arg(color.name(QColor::HexArgb))
                      .arg(kBorder));
}

void DrawTextField::sizeToFit() {
    const QSizeF text = document()->documentLayout()->documentSize();
    // Room for the caret after the last character.
    const int width = int(std::ceil(text.width())) + 2 * kBorder + 2;
    const int height = int(std::ceil(text.height())) + 2 * kBorder;
    resize(width, height);
}

void DrawTextField::commit() {
    committed_ = true;
    setReadOnly(true);
    setStyleSheet(QStringLiteral("QTextEdit { background: transparent; border: none; }"));
    hide();
    clearFocus();
}

void DrawTextField::setInView(bool inView) {
    inView_ = inView;
    setVisible(inView_ && !committed_);
}

QRect DrawTextField::committedFrame() {
    sizeToFit();
    QRect frame = geometry();
    frame.setWidth(std::max(frame.width(), kMinimumCommittedWidth));
    return frame;
}

void DrawTextField::drawCommitted(QPainter& painter) {
    const QRect frame = committedFrame();
    painter.setFont(font());
    // A transparent colour would make the text vanish; such text shows red.
    painter.setPen(color_.alpha() == 0 ? QColor(Qt::red) : color_);
    painter.drawText(frame.adjusted(kBorder, kBorder, 0, 0), Qt::AlignLeft | Qt::AlignTop, text());
}
