// The length of the start countdown the user picked.
#pragma once

class Preferences;

// "RECORDTIME_DURATION" in seconds when it holds a number, else 3.
float recordTimeDuration(const Preferences& store);
