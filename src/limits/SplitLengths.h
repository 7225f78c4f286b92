// The split lengths the encoder adapter starts every recording with.
#pragma once

class EncodeManager;
class Preferences;

// "SplitTime" in seconds (0 reads 20) and "SplitSize" in MB (0 reads 10).
void loadSplitLengths(EncodeManager& encoder, const Preferences& store);
