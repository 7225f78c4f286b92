// Whether a compositing manager blends windows with what lies under them. Without one a
// translucent window shows garbage where it is not opaque.
#pragma once

class CompositorCheck {
public:
    virtual ~CompositorCheck() = default;

    virtual bool isCompositing() const = 0;
};
