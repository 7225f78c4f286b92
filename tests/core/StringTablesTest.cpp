// The shipped string tables: well formed, the same keys in every language, every key the code
// looks up, and help pages that open.
#include "Localization.h"
#include "PreferenceKeys.h"
#include "ResourceUrl.h"
#include "StringsTable.h"
#include "TestApplication.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

namespace {

StringsTable table(const QString& folder) {
    StringsParseError error;
    const auto parsed = readStringsTable(":/" + folder + ".lproj/Localizable.strings", &error);
    EXPECT_TRUE(parsed) << folder.toStdString() << ":" << error.line << " "
                        << error.message.toStdString();
    return parsed.value_or(StringsTable{});
}

// Literal keys passed to the lookup anywhere in the sources.
std::set<QString> keysUsedInCode() {
    static const QRegularExpression call(
        R"re(localizedStringForKey\(\s*(?:QStringLiteral\(\s*|u8?)?"((?:[^"\\]|\\.)+)")re");
    std::set<QString> keys;
    QDirIterator it(TAPEDECK_SOURCE_DIR "/src", {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (const auto& m : call.globalMatch(text))
            keys.insert(m.captured(1));
    }
    return keys;
}

TEST(StringTables, EveryLanguageHasTheSameKeysTranslated) {
    const StringsTable english = table("en");
    ASSERT_GT(english.size(), 100);
    for (const QString& folder : {QString("en"), QString("zh-Hans"), QString("zh-Hant")}) {
        const StringsTable other = table(folder);
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            EXPECT_TRUE(other.contains(it.key()))
                << it.key().toStdString() << " missing in " << folder.toStdString();
            EXPECT_FALSE(other.value(it.key()).isEmpty()) << it.key().toStdString();
        }
        EXPECT_EQ(other.size(), english.size()) << folder.toStdString();
        for (const char* key : {"Main_Full_Screen", "Alert_Mic_Message", "FileList", "TM_NoTime"})
            EXPECT_TRUE(folder == "en" || other.value(key) != english.value(key))
                << key << " not translated in " << folder.toStdString();
    }
    EXPECT_NE(table("zh-Hans").value("Main_Camera"), table("zh-Hant").value("Main_Camera"));
}

// The other tables hold the same keys as English (above).
TEST(StringTables, KeysUsedInCodeAndFormedNamesExist) {
    const std::set<QString> used = keysUsedInCode();
    ASSERT_TRUE(used.count("Meun_App")) << "the source scan found nothing";
    QStringList keys(used.begin(), used.end());
    for (int i = 0; i <= 4; ++i)
        keys << QString::asprintf("ID_MENU_STOPRECORD_%d", i);
    for (int i = 1; i <= 17; ++i)
        keys << QString::asprintf("Set_label_%d", i);
    for (int i = 1; i <= 4; ++i)
        keys << QString::asprintf("Set_waterLabel_%d", i)
             << QString::asprintf("Set_imageWaterlabel_%d", i);
    for (int i = 1; i <= 8; ++i)
        keys << QString::asprintf("Set_textWaterlabel_%d", i);
    for (const char* tool : {"arrowBtn", "beelineBtn", "clearBtn", "colorBtn", "cursorBtn",
                             "eraseBtn", "fileListBtn", "fontBtn", "lineWidthBtn", "pencilBtn",
                             "rectBtn", "rondBtn", "setsBtn", "textBtn", "undoBtn", "whiteBtn"})
        keys << QString(tool) + ".toolTip";
    const StringsTable english = table("en");
    for (const QString& key : keys)
        EXPECT_TRUE(english.contains(key)) << key.toStdString();
}

TEST(StringTables, HelpAndHomeAddressesOpenAShippedPageInEachLanguage) {
    Preferences& store = freshPreferences();
    for (int code = 0; code <= 2; ++code) {
        store.setValue(PrefKey::AppLanguage, code);
        store.setValue(PrefKey::isLanguageChanged, true);
        const QString folder = Localization::folderForLanguage(code);
        for (const char* key : {"HelpUrl", "HomeUrl"}) {
            const QUrl url = urlForAddress(Localization::localizedStringForKey(key));
            ASSERT_TRUE(url.isLocalFile()) << key << " " << url.toString().toStdString();
            QFile page(url.toLocalFile());
            ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << url.toString().toStdString();
            const QByteArray html = page.readAll();
            EXPECT_TRUE(html.contains("lang=\"" + folder.toUtf8() + "\"")) << key;
            if (!url.fragment().isEmpty()) {
                EXPECT_TRUE(html.contains("id=\"" + url.fragment().toUtf8() + "\"")) << key;
            }
        }
    }
}

TEST(StringTables, AddressesWithASchemeOrOutsideTheResourcesAreHandled) {
    testApplication();
    EXPECT_EQ(urlForAddress("https://example.org/help"), QUrl("https://example.org/help"));
    EXPECT_FALSE(urlForAddress("../etc/passwd").isValid());
    EXPECT_FALSE(urlForAddress("help/xx/none.html").isValid());
}

} // namespace
