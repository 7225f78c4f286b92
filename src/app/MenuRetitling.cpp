#include "MenuRetitling.h"

#include "Localization.h"

#include <QMenu>

namespace {
void retitleEntries(const QWidget* menu, bool descend) {
    for (QAction* action : menu->actions()) {
        if (!action->objectName().isEmpty())
            action->setText(Localization::localizedStringForKey(action->objectName()));
        if (descend) {
            if (QMenu* submenu = action->menu<QMenu*>())
                retitleEntries(submenu, false);
        }
    }
}
} // namespace

void retitleMenu(QWidget* menu) {
    if (menu)
        retitleEntries(menu, true);
}
