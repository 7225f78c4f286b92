// Interface language: string-table lookup, the language choice and the system language.
// Codes: 0 English, 1 Simplified Chinese, 2 Traditional Chinese.
#pragma once

#include <QString>

class Localization {
public:
    // Text for a key; a missing key yields the key itself.
    static QString localizedStringForKey(const QString& key);
    // Text for a key; a missing key yields `value` when it is not empty, else the key.
    static QString localizedStringForKey(const QString& key, const QString& value);

    // Code of the first of the user's preferred interface languages.
    static int getSystemLanguage();
    // Code of one language tag such as "zh-Hant-HK" or "en_US".
    static int languageCodeForLanguageTag(const QString& tag);

    // Marks the language as chosen and loads the active table for Qt's own lookups.
    static void setLanguage();
    // Loads the active table of the language in use (the stored choice, else the system's)
    // without marking it chosen: at launch, so Qt's own texts speak it from the start.
    static void applyLanguage();
    // True when the stored "AppLanguage" is below 1; the system language is not consulted.
    static bool isEnglishLanguage();
    static QString getCurrentBundleIdentifier();

    // The language texts come in: the stored choice, else the system's; 0, 1 or 2.
    static int currentLanguage();
    // "AppLanguage" clamped to 0..8.
    static int storedLanguage();
    // Resource folder of a language code: "zh-Hans", "zh-Hant", else "en".
    static QString folderForLanguage(int code);
};
