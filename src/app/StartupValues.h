// Steps 1 to 3 of the start-up pass: the values written before the application controller loads
// the store.
#pragma once

class Preferences;

// Rewrites the text watermark with the application name, writes every first-run value when
// "IsFirstRun" reads NO, and adds the draw-tool hotkey when a store lacks it.
void writeStartupValues(Preferences& store);
