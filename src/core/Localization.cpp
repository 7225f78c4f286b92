#include "Localization.h"

#include "BundleEx.h"
#include "BundleInfo.h"
#include "KTLog.h"
#include "PreferenceKeys.h"
#include "Preferences.h"
#include "StringsTable.h"

#include <QFile>
#include <QLocale>
#include <QMap>

#include <algorithm>
#include <mutex>
#include <optional>

namespace {

// Tables are compiled into the program under ":/<folder>.lproj/Localizable.strings"; the main
// resources' own table would sit at ":/Localizable.strings".
QString tablePath(const QString& folder) {
    return folder.isEmpty() ? QStringLiteral(":/Localizable.strings")
                            : QStringLiteral(":/%1.lproj/Localizable.strings").arg(folder);
}

// Parsed tables by folder, read once per process. Lookups may come from any thread.
const StringsTable* cachedTable(const QString& folder) {
    static std::mutex mutex;
    static QMap<QString, std::optional<StringsTable>> tables;
    std::lock_guard lock(mutex);
    auto it = tables.find(folder);
    if (it == tables.end()) {
        std::optional<StringsTable> table;
        const QString path = tablePath(folder);
        if (QFile::exists(path)) {
            StringsParseError error;
            table = readStringsTable(path, &error);
            if (!table)
                KTLOG("%s:%d %s", qPrintable(path), error.line, qPrintable(error.message));
        }
        it = tables.insert(folder, std::move(table));
    }
    return it->has_value() ? &**it : nullptr;
}

int effectiveLanguage() {
    int code = Localization::storedLanguage();
    if (!Preferences::shared().boolean(PrefKey::isLanguageChanged))
        code = Localization::getSystemLanguage();
    return code;
}

} // namespace

int Localization::currentLanguage() {
    const int code = effectiveLanguage();
    return code == 1 || code == 2 ? code : 0;
}

QString Localization::localizedStringForKey(const QString& key) {
    const QString text = localizedStringForKey(key, QString());
    return text.isNull() ? QString("") : text;
}

QString Localization::localizedStringForKey(const QString& key, const QString& value) {
    const QString folder = folderForLanguage(effectiveLanguage());
    const StringsTable* table = cachedTable(folder);
    if (!table)
        table = cachedTable(QString());
    if (table) {
        auto it = table->constFind(key);
        if (it != table->constEnd())
            return *it;
    }
    return value.isEmpty() ? key : value;
}

int Localization::getSystemLanguage() {
    const QStringList languages = QLocale::system().uiLanguages();
    return languages.isEmpty() ? 0 : languageCodeForLanguageTag(languages.first());
}

int Localization::languageCodeForLanguageTag(const QString& tag) {
    const QLocale locale(tag);
    if (locale.language() != QLocale::Chinese)
        return 0;
    // QLocale fills in the likely script when the tag has none: zh-CN is Simplified,
    // zh-TW and zh-HK Traditional.
    return locale.script() == QLocale::TraditionalHanScript ? 2 : 1;
}

void Localization::setLanguage() {
    Preferences::shared().setValue(PrefKey::isLanguageChanged, true);
    applyLanguage();
}

void Localization::applyLanguage() {
    const StringsTable* table = cachedTable(folderForLanguage(effectiveLanguage()));
    BundleEx::setActiveTable(table ? *table : StringsTable{});
}

bool Localization::isEnglishLanguage() {
    return storedLanguage() < 1;
}

QString Localization::getCurrentBundleIdentifier() {
    return QString::fromUtf8(BundleInfo::CFBundleIdentifier);
}

int Localization::storedLanguage() {
    const qint64 code = Preferences::shared().integer(PrefKey::AppLanguage);
    return static_cast<int>(std::clamp<qint64>(code, 0, 8));
}

QString Localization::folderForLanguage(int code) {
    switch (code) {
    case 1:
        return QStringLiteral("zh-Hans");
    case 2:
        return QStringLiteral("zh-Hant");
    default:
        return QStringLiteral("en");
    }
}
