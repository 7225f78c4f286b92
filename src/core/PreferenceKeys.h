// Every key of the per-user preferences store, spelled as stored.
#pragma once

namespace PrefKey {
inline constexpr char IsFirstRun[] = "IsFirstRun";

inline constexpr char EventStartOrStop[] = "EventStartOrStop";
inline constexpr char EventStartOrStopChar[] = "EventStartOrStopChar";
inline constexpr char EventResumeOrPause[] = "EventResumeOrPause";
inline constexpr char EventResumeOrPauseChar[] = "EventResumeOrPauseChar";
inline constexpr char EventOnOrOffCaptrue[] = "EventOnOrOffCaptrue";
inline constexpr char EventOnOrOffCaptrueChar[] = "EventOnOrOffCaptrueChar";
inline constexpr char EventScreenshot[] = "EventScreenshot";
inline constexpr char EventScreenshotChar[] = "EventScreenshotChar";
inline constexpr char EventShowDrawTool[] = "EventShowDrawTool";
inline constexpr char EventShowDrawToolChar[] = "EventShowDrawToolChar";

inline constexpr char Watermark_textString[] = "Watermark_textString";
inline constexpr char Watermark_color[] = "Watermark_color";
inline constexpr char Watermark_alpha[] = "Watermark_alpha";
inline constexpr char Watermark_shadow[] = "Watermark_shadow";
inline constexpr char Watermark_isShow[] = "Watermark_isShow";
inline constexpr char Watermark_scale[] = "Watermark_scale";
inline constexpr char Watermark_center_x[] = "Watermark_center_x";
inline constexpr char Watermark_center_y[] = "Watermark_center_y";
inline constexpr char Watermark_Type[] = "Watermark_Type";
inline constexpr char Watermark_imagePath[] = "Watermark_imagePath";
inline constexpr char Watermark_fontName[] = "Watermark_fontName";
inline constexpr char Watermark_pointSize[] = "Watermark_pointSize";
inline constexpr char TimeFramStyleIndex[] = "TimeFramStyleIndex";

inline constexpr char IsShowMouse[] = "IsShowMouse";
inline constexpr char IsMouseClickEffect[] = "IsMouseClickEffect";
inline constexpr char IsMouseHighlight[] = "IsMouseHighlight";
inline constexpr char IsShowReverseTime[] = "IsShowReverseTime";

inline constexpr char FramItemIndex[] = "FramItemIndex";
inline constexpr char FpsItemIndex[] = "FpsItemIndex";
inline constexpr char VideoTypeIndex[] = "VideoTypeIndex";
inline constexpr char AudioTypeIndex[] = "AudioTypeIndex";
inline constexpr char RecordAudioType[] = "RecordAudioType";
inline constexpr char IsCaptrueMirrored[] = "IsCaptrueMirrored";
// The folder recordings and screenshots go to; missing: the movies folder's "Tapedeck".
inline constexpr char RecordingsFolder[] = "RecordingsFolder";

inline constexpr char Linewidth[] = "Linewidth";
inline constexpr char LineColor[] = "LineColor";
inline constexpr char DrawTextFontName[] = "DrawTextFontName";
inline constexpr char DrawTextFontSize[] = "DrawTextFontSize";

inline constexpr char AutoStop_Time[] = "AutoStop_Time";
inline constexpr char AutoStop_FileSize[] = "AutoStop_FileSize";
inline constexpr char AutoStop_Type[] = "AutoStop_Type";
inline constexpr char AutoStop_EveryTime[] = "AutoStop_EveryTime";
inline constexpr char AutoStop_FinshIndex[] = "AutoStop_FinshIndex";
inline constexpr char IsAutoStop[] = "IsAutoStop";

inline constexpr char SplitType[] = "SplitType";
inline constexpr char SplitTime[] = "SplitTime";
inline constexpr char SplitSize[] = "SplitSize";
inline constexpr char SplitAlway[] = "SplitAlway";

inline constexpr char RECORDTIME_DURATION[] = "RECORDTIME_DURATION";
inline constexpr char StartItemIndex[] = "StartItemIndex";

// Wayland: the ScreenCast portal's token for the monitor chosen last, so that its dialog is
// not shown again for the same choice.
inline constexpr char ScreenCast_RestoreToken[] = "ScreenCast_RestoreToken";

inline constexpr char AppLanguage[] = "AppLanguage";
inline constexpr char isLanguageChanged[] = "isLanguageChanged";

// Bookmarks are stored under this prefix followed by a hash of the file path.
inline constexpr char AccessPrefix[] = "Access:";
} // namespace PrefKey
