#include "InkShape.h"

#include <QtGui/qrgb.h>

#include <utility>

std::vector<QRect> inkRects(const QImage& image, const QRect& area) {
    const QRect inside = area & image.rect();
    std::vector<QRect> done;
    // Runs still growing downwards, left to right.
    std::vector<QRect> open, next;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        next.clear();
        size_t o = 0;
        for (int x = inside.left(); x <= inside.right();) {
            if (qAlpha(row[x]) < kInkAlpha) {
                ++x;
                continue;
            }
            const int start = x;
            while (x <= inside.right() && qAlpha(row[x]) >= kInkAlpha)
                ++x;
            while (o < open.size() && open[o].left() < start)
                done.push_back(open[o++]);
            if (o < open.size() && open[o].left() == start && open[o].right() == x - 1) {
                QRect grown = open[o++];
                grown.setBottom(y);
                next.push_back(grown);
            } else {
                next.emplace_back(start, y, x - start, 1);
            }
        }
        done.insert(done.end(), open.begin() + long(o), open.end());
        std::swap(open, next);
    }
    done.insert(done.end(), open.begin(), open.end());
    return done;
}
