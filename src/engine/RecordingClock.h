// The recording status and the pause-free recording clock. The delivery queues test the status
// and read the clock in one step under the clock's lock, and pause and resume take the same
// lock, so a pause can never fall between a frame's status test and its time.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// The application clock: wall-clock seconds with microsecond resolution.
double getNowTimeTimestamp();

class RecordingClock {
public:
    enum Status : unsigned { Idle = 0, Recording = 1, Paused = 2, Resumed = 3 };

    explicit RecordingClock(std::function<double()> now) : now_(std::move(now)) {}

    Status status() const;
    // A new recording: nothing recorded yet; its first reading starts the clock.
    void start();
    // Closes the current stretch.
    void pause();
    // Opens a new stretch now.
    void resume();
    void stop();

    // While recording (1 or 3): the recorded seconds at wall-clock time `at` (now when not
    // given), paused time left out; the first reading of a recording starts the clock.
    // Otherwise none.
    std::optional<double> recordedTime(std::optional<double> at = std::nullopt);
    // Everything recorded so far: up to now while recording, up to the pause while paused.
    double elapsed();
    // The lengths of the stretches already closed by a pause.
    std::vector<double> fileTimes() const;

private:
    double pausedTime() const;

    std::function<double()> now_;
    mutable std::mutex mutex_;
    Status status_ = Idle;
    double startDate_ = 0; // start of the current stretch; 0: not started yet
    std::vector<double> fileTimes_;
};
