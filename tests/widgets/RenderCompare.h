#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

// What a widget shows, as a premultiplied image at its own pixel size.
QImage grabWidget(QWidget& widget);

// The image `name` drawn into `target` on a plain background of `size`.
QImage composed(const QSize& size, const QColor& background, const QString& name,
                const QRect& target);

// What `widget` must show when it displays `name` fitted and centred on its window colour.
QImage expectedShowing(const QWidget& widget, const QString& name);

// Largest difference of any channel between two images of the same size; 255 when they differ
// in size.
int maxChannelDifference(const QImage& a, const QImage& b);
