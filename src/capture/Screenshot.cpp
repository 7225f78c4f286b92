#include "Screenshot.h"

#include "Catalogue.h"
#include "KTLog.h"
#include "OutputNames.h"

#include <QBuffer>
#include <QDateTime>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>

QImage Screenshot::getmainDesktopImage() {
    QScreen* screen = QGuiApplication::primaryScreen();
    // Window 0 is the whole desktop; the screen limits the grab to its own area.
    return screen ? screen->grabWindow(0).toImage() : QImage();
}

QString Screenshot::saveImage(const QImage& image, const QString& requested) {
    const QString path = requested.isEmpty() ? OutputNames::makeOutputPath(".png") : requested;
    return catalogueImage(path, writePng(image, path));
}

qint64 Screenshot::writePng(const QImage& image, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    QSaveFile file(path);
    const bool written = !image.isNull() && buffer.open(QIODevice::WriteOnly) &&
                         image.save(&buffer, "PNG") && file.open(QIODevice::WriteOnly) &&
                         file.write(png) == png.size() && file.commit();
    return written ? png.size() : -1;
}

QString Screenshot::catalogueImage(const QString& path, qint64 pngLength) {
    const bool isSuccess = pngLength >= 0;
    systemLog(QString::asprintf("Save Image: %d", isSuccess));
    KTLOG("isSuccess:%d", isSuccess);
    if (!isSuccess)
        return QString();
    Catalogue().insert(Catalogue::screenshotEntry(
        path, pngLength, OutputNames::dateToString(QDateTime::currentDateTime())));
    return path;
}
