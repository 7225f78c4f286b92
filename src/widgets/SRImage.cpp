#include "SRImage.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <array>
#include <cmath>
#include <mutex>

// Q_INIT_RESOURCE has to run outside any namespace; a static library's resource initialiser
// would otherwise be dropped by the linker because nothing refers to it.
static void initImageResources() {
    Q_INIT_RESOURCE(images);
}

namespace {

constexpr std::array<const char*, 3> kStateSuffixes = {"_Normal", "_Down", "_On"};

void ensureResources() {
    static std::once_flag once;
    std::call_once(once, initImageResources);
}

QString stemOf(const QString& name) {
    for (const char* ext : {".png", ".svg"}) {
        if (name.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
            return name.chopped(4);
    }
    return name;
}

bool isSvg(const QString& path) {
    return path.endsWith(QLatin1String(".svg"));
}

QImage renderImage(const QString& path, const QSize& pixels) {
    QImage out(pixels, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (isSvg(path)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return {};
        QPainter painter(&out);
        renderer.render(&painter);
        return out;
    }
    QImageReader reader(path);
    reader.setScaledSize(pixels);
    QImage bitmap = reader.read();
    if (bitmap.isNull())
        return {};
    return bitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

QString SRImage::resourcePath(const QString& name) {
    ensureResources();
    const QString stem = stemOf(name);
    if (stem.isEmpty() || stem.contains(QLatin1Char('/')))
        return {};
    for (const char* ext : {".svg", ".png"}) {
        const QString path = QStringLiteral(":/images/") + stem + QLatin1String(ext);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

bool SRImage::exists(const QString& name) {
    return !resourcePath(name).isEmpty();
}

QSize SRImage::naturalSize(const QString& name) {
    const QString path = resourcePath(name);
    if (path.isEmpty())
        return {};
    if (isSvg(path))
        return QSvgRenderer(path).defaultSize();
    return QImageReader(path).size();
}

QImage SRImage::image(const QString& name, const QSize& size, qreal devicePixelRatio) {
    const QString path = resourcePath(name);
    if (path.isEmpty() || size.isEmpty() || !(devicePixelRatio > 0))
        return {};
    const QSize pixels(int(std::ceil(size.width() * devicePixelRatio)),
                       int(std::ceil(size.height() * devicePixelRatio)));
    QImage out = renderImage(path, pixels);
    out.setDevicePixelRatio(devicePixelRatio);
    return out;
}

QPixmap SRImage::pixmap(const QString& name, const QSize& size, qreal devicePixelRatio) {
    const QString key = QStringLiteral("SRImage:%1:%2x%3@%4")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    const QImage rendered = image(name, size, devicePixelRatio);
    if (rendered.isNull())
        return {};
    cached = QPixmap::fromImage(rendered);
    QPixmapCache::insert(key, cached);
    return cached;
}

QRect SRImage::fittedRect(const QString& name, const QRect& area) {
    const QSize natural = naturalSize(name);
    if (!natural.isValid() || natural.isEmpty())
        return area;
    const QSize fitted = natural.scaled(area.size(), Qt::KeepAspectRatio);
    return {area.x() + (area.width() - fitted.width()) / 2,
            area.y() + (area.height() - fitted.height()) / 2, fitted.width(), fitted.height()};
}

QIcon SRImage::icon(const QString& name) {
    const QString path = resourcePath(name);
    return path.isEmpty() ? QIcon() : QIcon(path);
}

QString SRImage::variantName(const QString& name, SRImageState state) {
    QString base = name;
    bool suffixed = false;
    for (const char* suffix : kStateSuffixes) {
        if (name.endsWith(QLatin1String(suffix))) {
            base = name.chopped(int(qstrlen(suffix)));
            suffixed = true;
            break;
        }
    }
    if (!suffixed && state == SRImageState::Normal)
        return name;
    return base + QLatin1String(kStateSuffixes[size_t(state)]);
}
