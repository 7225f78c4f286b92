#include "ClickEffectArming.h"

#include "ClickEffectState.h"

ClickEffectArming::ClickEffectArming(InputMonitor& monitor, ClickEffectState& state)
    : monitor_(monitor),
      id_(monitor.addMonitor(kInputEventMaskLeftMouseDown, [&state](const InputEvent& event) {
          if (event.type == InputEvent::Type::LeftMouseDown)
              state.arm();
      })) {}

ClickEffectArming::~ClickEffectArming() {
    monitor_.removeMonitor(id_);
}
