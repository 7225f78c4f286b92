#include "X11Drawables.h"

#include "X11Connection.h"

#include <QPainter>

#include <cstring>

bool copyDrawable(const X11Connection& connection, xcb_drawable_t drawable, QPoint drawableOrigin,
                  const QRect& target, QImage& image, QPoint imageOrigin) {
    const QRect area = target & QRect(imageOrigin, image.size());
    if (area.isEmpty())
        return true;
    xcb_connection_t* c = connection.xcb();
    const QPoint source = area.topLeft() - drawableOrigin;
    xcb_generic_error_t* error = nullptr;
    auto reply = xcbReply(xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, int16_t(source.x()),
                      int16_t(source.y()), uint16_t(area.width()), uint16_t(area.height()), ~0u),
        &error));
    std::free(error);
    if (!reply)
        return false;
    const int rowBytes = area.width() * 4;
    if (xcb_get_image_data_length(reply.get()) < rowBytes * area.height())
        return false;
    QImage piece(xcb_get_image_data(reply.get()), area.width(), area.height(), rowBytes,
                 QImage::Format_ARGB32_Premultiplied);
    const QPoint at = area.topLeft() - imageOrigin;
    if (reply->depth == 32) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(at, piece);
        return true;
    }
    makeOpaque(piece.bits(), piece.width(), piece.height(), rowBytes);
    for (int row = 0; row < area.height(); ++row)
        std::memcpy(image.scanLine(at.y() + row) + at.x() * 4, piece.constScanLine(row), rowBytes);
    return true;
}

void makeOpaque(uchar* pixels, int width, int height, int bytesPerLine) {
    if (bytesPerLine == width * 4) {
        // Rows without padding: one run over the whole picture, which the compiler vectorises.
        auto* word = reinterpret_cast<uint32_t*>(pixels);
        const size_t count = size_t(width) * height;
        for (size_t i = 0; i < count; ++i)
            word[i] |= 0xff000000u;
        return;
    }
    for (int row = 0; row < height; ++row) {
        auto* word = reinterpret_cast<uint32_t*>(pixels + row * bytesPerLine);
        for (int x = 0; x < width; ++x)
            word[x] |= 0xff000000u;
    }
}
