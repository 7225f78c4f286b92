#include "CameraSources.h"

#include <QRegularExpression>

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
}

namespace {

constexpr char kV4l2[] = "video4linux2";

} // namespace

CameraSource cameraSourceOf(const QString& source) {
    if (source.startsWith("/dev/"))
        return {kV4l2, source};
    // "format:input", unless it is a URL ("rtsp://…"), whose scheme may also name a format.
    static const QRegularExpression prefix("^([a-z0-9_]+):(?!//)(.+)$");
    const QRegularExpressionMatch m = prefix.match(source);
    if (m.hasMatch()) {
        avdevice_register_all();
        const QByteArray name = m.captured(1).toUtf8();
        if (av_find_input_format(name.constData()))
            return {m.captured(1), m.captured(2)};
    }
    return {QString(), source};
}

std::vector<CameraDevice> camerasOfList(const QString& list) {
    std::vector<CameraDevice> cameras;
    for (const QString& entry : list.split(';', Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.indexOf('=');
        // A name never holds "=" or ":", so "lavfi:testsrc2=size=…" alone is a bare source.
        const bool named = equals > 0 && !entry.left(equals).contains(':');
        const QString source = (named ? entry.mid(equals + 1) : entry).trimmed();
        if (source.isEmpty())
            continue;
        cameras.push_back({source, named ? entry.left(equals).trimmed() : source});
    }
    return cameras;
}
