#include "QtXcbConnection.h"

#include <QGuiApplication>

xcb_connection_t* qtXcbConnection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}
