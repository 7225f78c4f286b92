// A pointer the test moves by setting location.
#pragma once

#include "Pointer.h"

class FakePointer : public Pointer {
public:
    QPointF location;

    QPointF mouseLocation() const override { return location; }
};
