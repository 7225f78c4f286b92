// One QGuiApplication for the whole test program: fonts need it. The sandbox picks the
// offscreen platform.
#pragma once

#include <QGuiApplication>

inline QGuiApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "tapedeck-test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}
