// The pointer position from XQueryPointer on the root window.
#pragma once

#include "Pointer.h"

#include <memory>

class X11Connection;

class X11Pointer : public Pointer {
public:
    explicit X11Pointer(std::shared_ptr<X11Connection> connection);

    QPointF mouseLocation() const override;

private:
    std::shared_ptr<X11Connection> m_connection;
};
