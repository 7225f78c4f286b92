// Copying a part of an X drawable into a frame-layout image.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <xcb/xcb.h>

class X11Connection;

// Copies the part of the drawable that covers target (desktop pixels) into image, whose top-left
// pixel is the desktop pixel imageOrigin; drawableOrigin is the desktop position of the
// drawable's (0, 0). Opaque depths get full alpha; depth 32 is drawn over what is already there.
// False when the server refused the copy.
bool copyDrawable(const X11Connection& connection, xcb_drawable_t drawable, QPoint drawableOrigin,
                  const QRect& target, QImage& image, QPoint imageOrigin);

// Sets the alpha byte of every pixel: X leaves it undefined in 24-bit pictures, and the frames
// are premultiplied, so an opaque pixel must say so.
void makeOpaque(uchar* pixels, int width, int height, int bytesPerLine);
