// Runs with LANGUAGE=zh_HK: a Traditional Chinese system language with a region suffix.
#include "Localization.h"
#include "PreferenceKeys.h"
#include "TestApplication.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemLanguage, FollowedUntilTheUserChooses) {
    Preferences& store = freshPreferences();
    EXPECT_EQ(Localization::getSystemLanguage(), 2);
    store.setValue(PrefKey::AppLanguage, 0);
    EXPECT_EQ(Localization::localizedStringForKey("Main_Full_Screen"), QString::fromUtf8("全螢幕"));
    // The stored code alone decides whether Chinese-only choices are offered.
    EXPECT_TRUE(Localization::isEnglishLanguage());

    store.setValue(PrefKey::isLanguageChanged, true);
    EXPECT_EQ(Localization::localizedStringForKey("Main_Full_Screen"), "Full Screen");
}

} // namespace
