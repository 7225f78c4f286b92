// One screen's part of the recording-area session: its selection overlay while the user
// chooses, Escape and Return, the confirmed region, the optional countdown, the hand-over to the
// session controller, and afterwards the click-through frame around the recorded area.
#pragma once

#include "CircleCounterView.h"
#include "Displays.h"
#include "InputMonitor.h"
#include "SRClipView.h"
#include "SRClipViewDelegate.h"
#include "SRClipWindow.h"
#include "WindowPicker.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QRegion>

#include <memory>
#include <optional>
#include <vector>

class Platform;
class QTimer;
class QWidget;
class SRRecordAreaSession;
class SRRecordManager;
class SRRecordScreenHost;

class SRRecordScreenWindowController
    : public QObject,
      public SRClipViewDelegate,
      public CircleCounterViewDelegate,
      public std::enable_shared_from_this<SRRecordScreenWindowController> {
    Q_OBJECT
public:
    enum Status : uint64_t { Idle = 0, Recording = 1, Paused = 2, Resumed = 3 };

    // initWithDelegate: the area session is the delegate; the chosen area goes to the session
    // controller. Always held by a shared_ptr.
    SRRecordScreenWindowController(SRRecordAreaSession& delegate, SRRecordManager& manager,
                                   SRRecordScreenHost& host, Platform& platform);
    ~SRRecordScreenWindowController() override;

    // The capture rectangle of a confirmed selection: origin rounded up, size rounded down to
    // even numbers, then 2 less.
    static QRectF selectedRegionForSelection(const QRectF& selection);
    // The countdown's side for a selection: 200, or half the smaller side below 200.
    static int circleSideForSelection(const QRectF& selection);

    DisplayInfo screen() const { return screen_; }
    // Covers the screen with its overlay and starts listening for Escape and Return.
    void startRecorderScreen(const DisplayInfo& screen);
    // From now on the controller tells the area session nothing.
    void clearDelegate() { delegate = nullptr; }
    // Takes the overlay off the screen and stops listening for keys.
    void cleanup();
    void orderOut();
    void removeEventMonitor();
    void makeKeyAndOrderFront();

    // SRClipViewDelegate
    bool clipViewMouseMoved(SRClipView* view, const QPointF& location) override;
    bool recordViewDidShowToolBar(SRClipView* view) override;
    bool recordStartNote() override;
    bool cancelClip() override;

    void showCircleDownCounter();
    void counterDownFinished(CircleCounterView* view) override;
    void startRecording();
    void timerDurationTimeOut();
    void pauseRecording();
    void resumeRecording();
    // Stops capturing and takes the frame away; the session controller finishes the file.
    void stopRecording();

    uint64_t status() const { return status_; }
    SRClipView* recordScreenView() const { return recordScreenView_; }
    SRClipWindow* shadeWindow() const;
    std::optional<DisplayInfo> selectedScreen() const { return selectedScreen_; }
    QRectF lastWindowRect() const { return lastWindowRect_; }
    QRectF selectedRegion() const { return selectedRegion_; }
    bool isTimerDurationActive() const;
    bool hasEventMonitor() const { return eventMonitor_.has_value(); }
    CircleCounterView* counter() const { return counter_; }
    // The part of the screen the panel still covers once the selection is confirmed.
    QRegion frameRegion() const;

    SRRecordAreaSession* delegate;

private:
    WindowPicker::Mode pickerMode() const;
    // The controller whose overlay takes hovers and Return: the chooser's screen in
    // full-screen mode with several screens, else the pointer's screen.
    SRRecordScreenWindowController* targetController();
    void keyDown(const InputEvent& event);
    void applyFrameMask();
    void stopTimerDuration();

    SRRecordAreaSession& session_;
    SRRecordManager& manager_;
    SRRecordScreenHost& host_;
    Platform& platform_;
    DisplayInfo screen_;
    uint64_t status_ = Idle;
    QPointer<SRClipView> recordScreenView_;
    std::optional<InputMonitor::MonitorId> eventMonitor_;
    std::vector<QPointer<SRClipWindow>> shadeWindows_;
    std::optional<DisplayInfo> selectedScreen_;
    QRectF lastWindowRect_;
    QRectF selectedRegion_;
    QTimer* timerDuration_ = nullptr;
    std::unique_ptr<WindowPicker> picker_;
    QPointer<QWidget> counterHost_;
    QPointer<CircleCounterView> counter_;
    bool confirmed_ = false;
};
