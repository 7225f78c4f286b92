// The application's side of the recording-area session: the settings a recording-area
// controller reads and the main-window updates it asks for, answered by the record flows.
#pragma once

#include <functional>
#include <memory>

#include "SRRecordScreenHost.h"

class AppDelegate;
class RecordFlows;

class RecordAreaHost : public SRRecordScreenHost {
public:
    RecordAreaHost(AppDelegate& app, RecordFlows& flows, std::function<bool()> isCompositing);

    bool isShowReverseTime() override;
    QString createoutputPath() override;
    std::optional<DisplayInfo> chosenScreen() override;
    bool isCompositing() override;
    void setRecordWC(std::shared_ptr<SRRecordScreenWindowController> controller) override;
    void setSelectedWindow(uint32_t number, const QString& name) override;
    void setLastWindowRect(const QRectF& rect) override;
    void setRecordControlsEnabled(bool enabled) override;
    void showRecordingLook() override {} // the main window follows the recording state
    void showRecordProgress(int64_t seconds, double fileSizeBytes) override;
    void startFailed(const QString& path) override;

private:
    AppDelegate& app_;
    RecordFlows& flows_;
    std::function<bool()> isCompositing_;
};
