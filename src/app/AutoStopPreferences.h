// The stored auto-stop settings with the fallbacks their readers apply.
#pragma once

class Preferences;

// "AutoStop_Time" in seconds, read as an integer; 0 reads 600.
double storedAutoStopTime(const Preferences& store);
// "AutoStop_FileSize" in MB, read as an integer; 0 reads 100.
double storedAutoStopFileSize(const Preferences& store);
// "AutoStop_FinshIndex"; 0 reads 1 (do nothing more when a recording ends).
int storedFinishIndex(const Preferences& store);
