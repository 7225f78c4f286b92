// Routes Qt's own text lookups (tr(), standard dialog buttons) through the chosen language's
// table, so texts Qt loads by itself follow the language too.
#pragma once

#include "StringsTable.h"

#include <QTranslator>

class BundleEx : public QTranslator {
    Q_OBJECT
public:
    // Replaces the active table; installs the lookup into the running application (main thread)
    // so that every widget receives a language-change event.
    static void setActiveTable(const StringsTable& table);
    // The active table's text, or a null string so that Qt falls back to its own lookup.
    static QString activeText(const QString& key);

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override;
};
