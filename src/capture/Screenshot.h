// Screenshots: a picture of the whole main display, every visible window included, saved as a
// PNG file in the output folder and entered in the recordings catalogue.
#pragma once

#include <QImage>
#include <QString>

namespace Screenshot {

// The main (primary) display at its pixel size; null when the display cannot be read.
QImage getmainDesktopImage();

// Writes the image as PNG, atomically, to `path` or, without one, to a fresh name of now in
// the output folder (never replacing an earlier screenshot), and catalogues it as an image.
// The written path, or an empty string when nothing was written (then nothing is catalogued
// either).
QString saveImage(const QImage& image, const QString& path = QString());

// The two halves of saveImage, for encoding away from the main thread: the PNG written
// atomically (its byte count, -1 when nothing was written; any thread), then the outcome
// logged ("Save Image: %d") and a written file catalogued (the path, or empty).
qint64 writePng(const QImage& image, const QString& path);
QString catalogueImage(const QString& path, qint64 pngLength);

} // namespace Screenshot
