#include "RenderCompare.h"

#include "SRImage.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

QImage grabWidget(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage composed(const QSize& size, const QColor& background, const QString& name,
                const QRect& target) {
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(background);
    if (!name.isEmpty()) {
        QPainter painter(&out);
        painter.drawPixmap(target, SRImage::pixmap(name, target.size()));
    }
    return out;
}

QImage expectedShowing(const QWidget& widget, const QString& name) {
    return composed(widget.size(), widget.palette().color(QPalette::Window), name,
                    SRImage::fittedRect(name, widget.rect()));
}

int maxChannelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 255;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            worst = std::max({worst, std::abs(qRed(rowA[x]) - qRed(rowB[x])),
                              std::abs(qGreen(rowA[x]) - qGreen(rowB[x])),
                              std::abs(qBlue(rowA[x]) - qBlue(rowB[x])),
                              std::abs(qAlpha(rowA[x]) - qAlpha(rowB[x]))});
        }
    }
    return worst;
}
