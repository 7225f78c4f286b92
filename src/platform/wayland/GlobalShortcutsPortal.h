// Global hotkeys where the desktop hands them out through its GlobalShortcuts portal: the
// combinations become the shortcuts of one portal session (the desktop may let the user change
// their keys), and each activation is told as a press of its combination.
#pragma once

#include "HotkeyGrabber.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

// One shortcut as the portal describes it: (sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(PortalShortcut)
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

class GlobalShortcutsPortal : public QObject, public HotkeyGrabber {
    Q_OBJECT
public:
    using Pressed = std::function<void(const HotkeyCombination& combination)>;

    // Null when the desktop's portal offers no global shortcuts.
    static std::unique_ptr<GlobalShortcutsPortal> create(Pressed pressed);
    static bool available();
    // Ends the session, and with it the shortcuts.
    ~GlobalShortcutsPortal() override;

    // Binds the combinations; the desktop answers later, so none is reported as taken. The
    // same list again changes nothing; an empty one ends the session.
    std::vector<bool> grab(const std::vector<HotkeyCombination>& combinations) override;

    // The portal's description of a combination: its id, text and preferred keys in the
    // desktop shortcut notation ("LOGO+1"), where the key has a name.
    static PortalShortcut shortcutFor(const HotkeyCombination& combination);

private slots:
    // A shortcut was pressed: (session, shortcut id, time, options).
    void onActivated(const QDBusMessage& activation);

private:
    explicit GlobalShortcutsPortal(Pressed pressed);
    void createSession();
    void bind();
    void endSession();

    Pressed m_pressed;
    std::vector<HotkeyCombination> m_wanted;
    QString m_session;
    bool m_creating = false;
};
