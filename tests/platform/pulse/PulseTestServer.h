// The fake hardware on the sandbox's private PulseAudio server: two listening devices and a
// microphone that plays a 440 Hz sine. Modules loaded through pactl are unloaded again.
#pragma once

#include <QString>

#include <vector>

class PulseTestServer {
public:
    PulseTestServer();
    ~PulseTestServer();
    // Loads a module with pactl and remembers it for unloading; returns its index.
    int load(const QString& arguments);

private:
    std::vector<int> modules_;
};

// The output of a shell command (trailing newline removed).
QString shellOutput(const QString& command);
