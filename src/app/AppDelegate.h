// The application controller: one process-wide object holding the current settings that the
// rest of the program reads. Creating it runs the start-up preference pass once.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <cstdint>

class AudioHardware;

class AppDelegate : public QObject {
    Q_OBJECT
public:
    // Runs the start-up pass against the user's preferences; needs a QGuiApplication (fonts).
    explicit AppDelegate(AudioHardware& audioHardware);

    // Creates the shared instance; called once by main.
    static AppDelegate& createSharedInstance(AudioHardware& audioHardware);
    static AppDelegate& sharedInstance();

    // Wall-clock seconds with microsecond resolution.
    static double getNowTimeTimestamp();
    static QString getFileNameForNowTime();
    static QString dateToString(const QDateTime& date);
    static QString plistPath();
    // A fresh output path with the chosen video or audio container's extension, or the path
    // the command line asked for.
    QString createoutputPath(bool video) const;

    // The user's language switch: stores the code, loads its table, posts
    // "ChangeLanguageNotification" and retitles the main window.
    void setLange(int code);
    // Retitles the main window's menus from the current table.
    void changeLanguage();

    // Loaded by the start-up pass; the session controller takes them when it is created.
    unsigned recordVideoType = 0;
    unsigned recordAudioType = 0;

    QPointer<QWidget> window;
    QString outputPath;
    // Set by "tapedeck record --output": every recording of this run writes there.
    QString commandLineOutputPath;
    float fps = 0;
    int framItemIndex = 0;
    int fpsItemIndex = 0;
    int videoTypeBoxIndex = 0;
    int audioExtensionIndex = 0;
    QStringList fpsTitles;
    QStringList videoTypes;
    QStringList audioExtensions;
    QStringList timeFramStyles;

    bool isCaptrue = false;
    bool isCaptrueMirror = false;
    // Read by the frame pipeline on the capture queue.
    std::atomic<bool> isShowMouse = false;
    std::atomic<bool> isMouseHight = false;
    std::atomic<bool> isMouseClickEffect = false;
    bool isShowReverseTime = false;

    std::atomic<bool> recording = false;
    std::atomic<std::int32_t> recordProgressNum = 0;
    std::atomic<float> fileDuration = 0;
    std::atomic<float> fileSize = 0;
    double freeSpace = 0;
    double totalSpace = 0;

    quint32 selectedWindowNumber = 0;
    QString selectedWindowName;
    quint32 lastWindowNumber = 0;
    QRectF lastWindowRect;

    std::atomic<unsigned> watermarkType = 2;
    QImage watermarkImage;
    QString watermarkTextString;
    QColor textWatermarkColor;
    QFont textWatermarkFont;
    std::atomic<float> watermarkAlpha = 1;
    std::atomic<bool> isWatermarkShadow = false;
    std::atomic<bool> isTimeTextWatermark = false;
    std::atomic<int> timeFramStyleIndex = 0;

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

    bool isCanKeyEvent = false;
    bool isResetEventMonitor = false;

private:
    void loadPreferences(AudioHardware& audioHardware);
};
