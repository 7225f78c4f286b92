// Arms the click ring for every left mouse-down on the desktop, in every application state.
#pragma once

#include "InputMonitor.h"

struct ClickEffectState;

class ClickEffectArming {
public:
    // One monitor covers this application's windows too, so each click arms once.
    ClickEffectArming(InputMonitor& monitor, ClickEffectState& state);
    ~ClickEffectArming();

    ClickEffectArming(const ClickEffectArming&) = delete;
    ClickEffectArming& operator=(const ClickEffectArming&) = delete;

private:
    InputMonitor& monitor_;
    InputMonitor::MonitorId id_;
};
