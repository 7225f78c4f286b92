// A pointer for the headless test desktop, which has none: a virtual pointer device on sway's
// seat, worked by lines on standard input, each answered "ok" once the compositor has it:
//   move X Y     the pointer to X,Y on the output (pixels from its top left)
//   press        the left button down
//   release      the left button up
// Usage: tapedeck-virtual-pointer WIDTH HEIGHT (the output's size). Prints "ready" first.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {
constexpr uint32_t kLeftButton = 0x110; // BTN_LEFT

struct Globals {
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        static_cast<Globals*>(data)->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}
void globalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry{global, globalRemove};

uint32_t nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return uint32_t(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}
} // namespace

int main(int argc, char** argv) {
    const uint32_t width = argc > 2 ? uint32_t(std::atoi(argv[1])) : 0;
    const uint32_t height = argc > 2 ? uint32_t(std::atoi(argv[2])) : 0;
    if (width == 0 || height == 0) {
        std::fprintf(stderr, "usage: tapedeck-virtual-pointer WIDTH HEIGHT\n");
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "virtual-pointer: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, &globals);
    wl_display_roundtrip(display);
    if (!globals.manager) {
        std::fprintf(stderr, "virtual-pointer: the compositor offers no virtual pointers\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, nullptr);
    wl_display_roundtrip(display);
    std::printf("ready\n");
    std::fflush(stdout);

    char line[128];
    while (std::fgets(line, sizeof line, stdin)) {
        unsigned x = 0, y = 0;
        if (std::sscanf(line, "move %u %u", &x, &y) == 2)
            zwlr_virtual_pointer_v1_motion_absolute(pointer, nowMs(), x, y, width, height);
        else if (std::strncmp(line, "press", 5) == 0)
            zwlr_virtual_pointer_v1_button(pointer, nowMs(), kLeftButton,
                                           WL_POINTER_BUTTON_STATE_PRESSED);
        else if (std::strncmp(line, "release", 7) == 0)
            zwlr_virtual_pointer_v1_button(pointer, nowMs(), kLeftButton,
                                           WL_POINTER_BUTTON_STATE_RELEASED);
        else {
            std::printf("unknown: %s", line);
            std::fflush(stdout);
            continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        std::printf("ok\n");
        std::fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
