// The one Qt application of a test program, and waits that end on a condition instead of after
// a guessed time. Linking tapedeck_test_app gives the program a main that makes the application
// before the first test; the sandbox picks its platform (offscreen, or xcb on the private display).
#pragma once

#include "Preferences.h"

#include <QApplication>

#include <functional>

QApplication& testApplication();

// The shared preferences store, emptied.
Preferences& freshPreferences();

// Runs the main event loop until done() holds; false if it still does not after 15 s, which only
// a broken component takes.
bool spinUntil(const std::function<bool()>& done);

// Runs everything posted to the main queue so far, in order.
void drainMainQueue();
