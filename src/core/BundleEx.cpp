#include "BundleEx.h"

#include <QCoreApplication>

#include <mutex>

namespace {
std::mutex tableMutex;
StringsTable activeTable;
} // namespace

void BundleEx::setActiveTable(const StringsTable& table) {
    {
        std::lock_guard lock(tableMutex);
        activeTable = table;
    }
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    static BundleEx* translator = new BundleEx;
    // Installing again is how Qt announces that translations changed.
    QCoreApplication::removeTranslator(translator);
    QCoreApplication::installTranslator(translator);
}

QString BundleEx::activeText(const QString& key) {
    std::lock_guard lock(tableMutex);
    auto it = activeTable.constFind(key);
    return it == activeTable.constEnd() ? QString() : *it;
}

QString BundleEx::translate(const char*, const char* sourceText, const char*, int) const {
    return activeText(QString::fromUtf8(sourceText));
}

bool BundleEx::isEmpty() const {
    std::lock_guard lock(tableMutex);
    return activeTable.isEmpty();
}
