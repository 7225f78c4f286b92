// "tapedeck record": one recording through the record flows, as the main window's record
// button makes it, with no window. It stops after --seconds or on SIGINT / SIGTERM, prints
// the finished file's path and leaves the catalogue entry.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

#include "RecordOptions.h"

class AppDelegate;
class Displays;
class RecordFlows;
class StartCountdown;

class RecordCommand : public QObject {
    Q_OBJECT
public:
    // Exit statuses.
    enum Status { Finished = 0, Failed = 1, BadOptions = 2 };

    // True for "tapedeck --help" and "tapedeck record ...": main hands those to parse().
    static bool isCommandLine(int argc, char** argv);
    // Parses the process arguments before anything needs a display. Either gives the options
    // to run, or prints the help or the error and gives the status to exit with.
    static std::optional<RecordOptions> parse(int argc, char** argv, int& exitStatus);

    // `chooseAudio` routes and captures a sound source, as the main window's audio menu does,
    // and calls its second argument once the sound flows.
    using ChooseAudio = std::function<void(unsigned type, std::function<void()> flowing)>;
    RecordCommand(AppDelegate& app, RecordFlows& flows, const Displays& displays,
                  ChooseAudio chooseAudio);

    ~RecordCommand() override;

    // Applies the options and runs the event loop until the recording has finished.
    int run(const RecordOptions& options);

private:
    void start();
    // Camera mode: opens the chosen camera; the recording waits for its first picture, which
    // gives the encoder the camera's size.
    void openCamera(const QString& source);
    void record();
    // The countdown, when one was asked for, then record().
    void countDown();
    void stop();
    // Prints the finished file's path and ends the event loop with Finished.
    void finish();
    // Says why nothing (more) is recorded and ends the event loop with Failed.
    void fail(const QString& message);

    AppDelegate& app_;
    RecordFlows& flows_;
    const Displays& displays_;
    ChooseAudio chooseAudio_;
    static constexpr int kLengthPollMs = 20;
    static constexpr int kStalledEncoderGraceMs = 10000;
    static constexpr int kCameraWaitMs = 10000;
    double seconds_ = 0;
    int countdown_ = 0;
    QRect countdownArea_;
    std::unique_ptr<StartCountdown> startCountdown_;
    bool started_ = false;
    bool done_ = false;
    bool limitReached_ = false;
    bool cameraMode_ = false;
    bool cameraPicture_ = false;
    bool recordWaitsForCamera_ = false;
};
