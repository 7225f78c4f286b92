// A compositing manager runs while someone owns the "_NET_WM_CM_S0" selection.
#pragma once

#include "CompositorCheck.h"

#include <QByteArray>
#include <memory>

class X11Connection;

class X11CompositorCheck : public CompositorCheck {
public:
    explicit X11CompositorCheck(std::shared_ptr<X11Connection> connection);
    // displayName empty: $DISPLAY. Null when that X server cannot be reached.
    static std::unique_ptr<X11CompositorCheck> create(const QByteArray& displayName = {});

    bool isCompositing() const override;

private:
    std::shared_ptr<X11Connection> m_connection;
};
