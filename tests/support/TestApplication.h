// One QApplication for the whole test program (fonts, menus and translators need it), and a
// preferences store emptied before each test.
#pragma once

#include "Preferences.h"

#include <QApplication>

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "tapedeck-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

inline Preferences& freshPreferences() {
    testApplication();
    Preferences& store = Preferences::shared();
    store.clear();
    store.synchronize();
    return store;
}
