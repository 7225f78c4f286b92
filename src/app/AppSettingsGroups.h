// The application controller's current settings, in groups. Whoever writes a group (a window,
// a hotkey, the tray, a device change) emits its `changed`, so every open window can follow.
// Fields read on the capture queues are atomic.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <cstdint>

class SettingsGroup : public QObject {
    Q_OBJECT
signals:
    void changed();
};

// What is recorded and how: mode, sound, quality, frame rate, containers, camera, window.
struct CaptureGroup : SettingsGroup {
    // 0 full screen, 1 custom area, 2 application window, 3 camera, 4 audio only.
    unsigned recordVideoType = 0;
    // 0 system sound, 1 microphone, 2 both, 3 none.
    unsigned recordAudioType = 0;
    float fps = 0;
    int framItemIndex = 0;
    int fpsItemIndex = 0;
    int videoTypeBoxIndex = 0;
    int audioExtensionIndex = 0;
    QStringList fpsTitles;
    QStringList videoTypes;
    QStringList audioExtensions;
    bool isCaptrue = false;
    bool isCaptrueMirror = false;
    bool isShowReverseTime = false;
    // Set by "tapedeck record --output": every recording of this run writes there.
    QString commandLineOutputPath;
    quint32 selectedWindowNumber = 0;
    QString selectedWindowName;
    quint32 lastWindowNumber = 0;
    QRectF lastWindowRect;
};

// What is drawn into every frame: cursor, highlight, click ring and watermark.
struct CompositionGroup : SettingsGroup {
    std::atomic<bool> isShowMouse = false;
    std::atomic<bool> isMouseHight = false;
    std::atomic<bool> isMouseClickEffect = false;
    // 0 text, 1 image, 2 none.
    std::atomic<unsigned> watermarkType = 2;
    QImage watermarkImage;
    QString watermarkTextString;
    QColor textWatermarkColor;
    QFont textWatermarkFont;
    std::atomic<float> watermarkAlpha = 1;
    std::atomic<bool> isWatermarkShadow = false;
    std::atomic<bool> isTimeTextWatermark = false;
    std::atomic<int> timeFramStyleIndex = 0;
    QStringList timeFramStyles;
};

// Auto stop, auto split and what happens when a recording ends.
struct LimitsGroup : SettingsGroup {
    bool isAutoStop = false;
    bool isAutoStopOnce = false;
    bool isAutoSplitOnce = false;
    bool everyTime = false;
    bool autoStop_withTime = false;
    double autoStop_StartTime = 0;
    double autoStop_Duration = 0;
    double recordEndTimeDuration = 0;
    double recordEndFileSize = 0;
    bool isRecordEndSizeType = false;
    int finshpopIndex = 0;
    int endTimeType = 0;
    int startSetsItemIndex = 0;
};

struct HotkeyGroup : SettingsGroup {
    bool isCanKeyEvent = false;
    bool isResetEventMonitor = false;
};

// The window and the recording as the user sees them.
struct UiStateGroup : SettingsGroup {
    QPointer<QWidget> window;
    QString outputPath;
    std::atomic<bool> recording = false;
    std::atomic<std::int32_t> recordProgressNum = 0;
    std::atomic<float> fileDuration = 0;
    std::atomic<float> fileSize = 0;
    double freeSpace = 0;
    double totalSpace = 0;
};
