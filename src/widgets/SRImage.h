#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

// The states of one image set, named by the suffixes "_Normal", "_Down" (pressed) and "_On".
enum class SRImageState { Normal, Down, On };

// Looks up the application's images by name. Names are the bare resource names the windows use
// ("btnStartRecrord_Normal", "icon_18"); a name may carry the ".png" or ".svg" of its file
// ("3.png"), in which case either file format is accepted. Images are compiled into the program,
// SVG first, PNG second. `image` may be called on any thread; `pixmap` and `icon` only on the
// GUI thread.
class SRImage {
public:
    // The resource path of the image, or an empty string when there is no such image.
    static QString resourcePath(const QString& name);
    static bool exists(const QString& name);

    // Size the artwork was drawn at, in device-independent pixels; invalid when unknown.
    static QSize naturalSize(const QString& name);

    // The image rendered at `size` device-independent pixels for a screen of `devicePixelRatio`;
    // SVG artwork is drawn at full resolution, never scaled up from a small bitmap. Null when
    // the name is unknown or the size is empty.
    static QPixmap pixmap(const QString& name, const QSize& size, qreal devicePixelRatio = 1.0);
    static QImage image(const QString& name, const QSize& size, qreal devicePixelRatio = 1.0);

    // Where the image goes inside `area`: as large as fits with its proportions kept, centred.
    // The whole area when the image is unknown.
    static QRect fittedRect(const QString& name, const QRect& area);

    // An icon that renders the artwork at every size it is asked for (tray, menus, windows).
    static QIcon icon(const QString& name);

    // The name of `state` in the image set of `name`: the "_Normal", "_Down" or "_On" suffix of
    // `name` is replaced; a name without one of these suffixes gets the suffix appended, except
    // that its normal state is the name itself.
    static QString variantName(const QString& name, SRImageState state);
};
