#include "RecordAreaHost.h"

#include "AppDelegate.h"
#include "RecordFlows.h"

RecordAreaHost::RecordAreaHost(AppDelegate& app, RecordFlows& flows,
                               std::function<bool()> isCompositing)
    : app_(app), flows_(flows), isCompositing_(std::move(isCompositing)) {}

bool RecordAreaHost::isShowReverseTime() {
    return app_.capture.isShowReverseTime;
}

QString RecordAreaHost::createoutputPath() {
    flows_.prepareOverlays();
    app_.ui.outputPath = app_.createoutputPath(true);
    return app_.ui.outputPath;
}

std::optional<DisplayInfo> RecordAreaHost::chosenScreen() {
    if (flows_.screens().size() < 2)
        return std::nullopt;
    return flows_.recordScreen();
}

bool RecordAreaHost::isCompositing() {
    return isCompositing_ && isCompositing_();
}

void RecordAreaHost::setRecordWC(std::shared_ptr<SRRecordScreenWindowController> controller) {
    flows_.setRecordWC(std::move(controller));
}

void RecordAreaHost::setSelectedWindow(uint32_t number, const QString& name) {
    app_.capture.selectedWindowNumber = number;
    app_.capture.selectedWindowName = name;
}

void RecordAreaHost::setLastWindowRect(const QRectF& rect) {
    app_.capture.lastWindowRect = rect;
}

void RecordAreaHost::setRecordControlsEnabled(bool enabled) {
    emit flows_.recordControlsEnabled(enabled);
}

void RecordAreaHost::showRecordProgress(int64_t seconds, double) {
    // The flows read the size from the encoder themselves.
    flows_.recordScreenTimeDuration(int32_t(seconds));
}

void RecordAreaHost::startFailed(const QString& path) {
    emit flows_.startFailed(path);
}
