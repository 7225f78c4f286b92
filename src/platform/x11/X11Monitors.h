// The RandR 1.5 monitors of an X screen, with both their desktop rectangle and the frame the
// rest of Tapedeck sees.
#pragma once

#include "CoordinateSpace.h"
#include "Displays.h"

#include <QRect>
#include <vector>

class X11Connection;

struct X11Monitor {
    DisplayInfo info;
    // Root-window (top-left) pixels.
    QRect desktopRect;
};

// Every active monitor, the primary first. Without RandR monitors, the whole root window is
// one display.
std::vector<X11Monitor> queryMonitors(const X11Connection& connection);

// The conversion for the monitors attached now.
CoordinateSpace desktopCoordinateSpace(const X11Connection& connection);
