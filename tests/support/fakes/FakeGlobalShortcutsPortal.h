// The desktop's GlobalShortcuts portal as a test stands it up on a private session bus: it owns
// the portal's name on a connection of its own, in a thread of its own (so the blocking calls
// of the code under test are answered), answers every request at once and records them.
#pragma once

#include "GlobalShortcutsPortal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <memory>
#include <mutex>

class FakeGlobalShortcutsPortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    // On the bus at `address`; null when the portal's name cannot be had there.
    static std::unique_ptr<FakeGlobalShortcutsPortal> start(const QString& address);
    ~FakeGlobalShortcutsPortal() override;

    uint version() const { return 1; }
    // What was asked so far.
    QStringList sessions() const;
    QStringList closedSessions() const;
    QList<QList<PortalShortcut>> bindings() const;
    // Sends Activated for the shortcut `id` of `session`.
    void activate(const QString& session, const QString& id);

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& message);
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session,
                                  const QList<PortalShortcut>& shortcuts,
                                  const QString& parentWindow, const QVariantMap& options,
                                  const QDBusMessage& message);

private:
    explicit FakeGlobalShortcutsPortal(const QString& address);
    // Answers the request of `message` made with `options` through its Response signal.
    QDBusObjectPath respond(const QDBusMessage& message, const QVariantMap& options,
                            const QVariantMap& results);
    void closed(const QString& session);

    QDBusConnection m_bus;
    QThread m_thread;
    mutable std::mutex m_mutex;
    QStringList m_sessions;
    QStringList m_closed;
    QList<QList<PortalShortcut>> m_bindings;
};
