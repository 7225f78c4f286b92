#include "DrawPopovers.h"

#include "Localization.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QScreen>

namespace {

const QColor kBackground(47, 55, 65);

// One choice of a popover: a grey bar of a thickness, or a round swatch of a colour.
class Choice : public QAbstractButton {
public:
    Choice(int bar, const QColor& color, const QString& title, QWidget* parent)
        : QAbstractButton(parent), bar_(bar), color_(color) {
        setText(title);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (bar_ > 0) {
            painter.fillRect(QRectF((width() - 150) / 2.0, (height() - bar_) / 2.0, 150, bar_),
                             underMouse() ? QColor(Qt::lightGray) : QColor(Qt::gray));
            return;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(color_);
        painter.drawRoundedRect(rect(), 10, 10);
        if (text().isEmpty())
            return;
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setPointSizeF(18);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }

private:
    int bar_;
    QColor color_;
};

} // namespace

// Not a Qt popup: those are left out of the accessibility tree, and every choice must be
// reachable by its name.
DrawPopover::DrawPopover(const QSize& size, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(size);
    qApp->installEventFilter(this);
}

// A press anywhere else in the application closes the popover and goes no further, so a
// button's second press only closes what its first opened.
bool DrawPopover::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() == this)
        return false;
    close();
    return true;
}

DrawPopover* DrawPopover::widthPopover(QWidget* parent) {
    auto* popover = new DrawPopover(QSize(200, 60), parent);
    const int bars[] = {3, 6, 9};
    const double heights[] = {40, 25, 10};
    for (int i = 0; i < 3; ++i)
        popover->addChoice(new Choice(bars[i], {}, {}, popover), i, {15, heights[i], 170, 16},
                           QStringLiteral("Draw_LineWidth_%1").arg(i));
    return popover;
}

DrawPopover* DrawPopover::colorPopover(const QList<QColor>& colors, QWidget* parent) {
    auto* popover = new DrawPopover(QSize(230, 60), parent);
    const int perRow = int(colors.size()) / 2;
    for (int i = 0; i < colors.size(); ++i) {
        const bool first = i < perRow;
        const QString title = i == colors.size() - 1 ? QStringLiteral("...") : QString();
        popover->addChoice(new Choice(0, colors[i], title, popover), i,
                           {15.0 + 30 * (first ? i : i - perRow), first ? 30.0 : 5.0, 20, 20},
                           QStringLiteral("Draw_Color_%1").arg(i));
    }
    return popover;
}

void DrawPopover::addChoice(QAbstractButton* choice, int index, const QRectF& frame,
                            const QString& nameKey) {
    choice->setGeometry(
        QRectF(frame.x(), height() - frame.y() - frame.height(), frame.width(), frame.height())
            .toRect());
    choice->setAccessibleName(Localization::localizedStringForKey(nameKey));
    connect(choice, &QAbstractButton::clicked, this, [this, index] { emit chosen(index); });
}

void DrawPopover::showUnder(const QWidget* anchor) {
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    // Too close to the bottom of the screen: above the button instead.
    const QScreen* screen = anchor->screen();
    if (screen && at.y() + height() > screen->geometry().bottom())
        at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height());
    move(at);
    show();
}

void DrawPopover::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), kBackground);
}
