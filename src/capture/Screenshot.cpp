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
    QByteArray png;
    QBuffer buffer(&png);
    bool isSuccess =
        !image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG");
    QSaveFile file(path);
    isSuccess = isSuccess && file.open(QIODevice::WriteOnly) && file.write(png) == png.size() &&
                file.commit();
    systemLog(QString::asprintf("Save Image: %d", isSuccess));
    KTLOG("isSuccess:%d", isSuccess);
    if (!isSuccess)
        return QString();
    Catalogue().insert(Catalogue::screenshotEntry(
        path, png.size(), OutputNames::dateToString(QDateTime::currentDateTime())));
    return path;
}
