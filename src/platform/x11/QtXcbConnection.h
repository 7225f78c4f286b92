// The X connection Qt itself draws and reads events on; null when Qt does not run on X11.
#pragma once

#include <xcb/xcb.h>

xcb_connection_t* qtXcbConnection();
