// The recording-area session: one SRRecordScreenWindowController per screen, each with its
// selection overlay, until one of them confirms its selection (and hands it to the session
// controller) or all are cancelled. Main thread only.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

#include "Displays.h"
#include "WindowList.h"

class Platform;
class SRRecordManager;
class SRRecordScreenHost;
class SRRecordScreenWindowController;

class SRRecordAreaSession : public QObject {
    Q_OBJECT
public:
    SRRecordAreaSession(SRRecordManager& manager, SRRecordScreenHost& host, Platform& platform);

    // Asks for screen capture first when it has not been granted.
    void startRecordScreen();
    // Puts an overlay on every screen given, or on every screen; only while no recording runs.
    void readyToRecordScreen(std::vector<DisplayInfo> screens = {});
    void clearRecordWindowControllerArray();
    void changeKeyWindowWithScreen(const DisplayInfo& screen);
    // Clears the controller's delegate, cleans it up and drops it from the list.
    void removeRecordWindowController(SRRecordScreenWindowController* controller);

    // What the controllers tell their delegate.
    void recordScreenWindowControllerDidSelectRegion(SRRecordScreenWindowController* controller);
    void recordScreenWindowControllerRemoveEventMonitor(SRRecordScreenWindowController* controller);
    void recordScreenWindowControllerDidCancel(SRRecordScreenWindowController* controller);
    void recordScreenWindowController(SRRecordScreenWindowController* controller,
                                      const QString& fileName, bool saveToLocal);

    std::vector<std::shared_ptr<SRRecordScreenWindowController>> recordWindowControllerArray;
    // The on-screen windows when the selection started, front to back.
    std::vector<WindowInfo> arrayRect;
    // While set the selection no longer follows the pointer to another screen.
    bool isDisableChangeScreen = false;

private:
    // Controllers taken off the list may still be running the call that removed them.
    void releaseLater(std::vector<std::shared_ptr<SRRecordScreenWindowController>> controllers);

    SRRecordManager& manager_;
    SRRecordScreenHost& host_;
    Platform& platform_;
};
