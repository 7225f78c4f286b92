#include "FakeGlobalShortcutsPortal.h"

#include <QDBusMetaType>

namespace {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

// A portal session: Close is all it answers.
class FakeSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")
public:
    explicit FakeSession(std::function<void()> closed) : m_closed(std::move(closed)) {}
public slots:
    void Close() { m_closed(); }

private:
    std::function<void()> m_closed;
};
} // namespace

std::unique_ptr<FakeGlobalShortcutsPortal>
FakeGlobalShortcutsPortal::start(const QString& address) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    std::unique_ptr<FakeGlobalShortcutsPortal> portal(new FakeGlobalShortcutsPortal(address));
    if (!portal->m_bus.registerService(kService) ||
        !portal->m_bus.registerObject(kPath, portal.get(),
                                      QDBusConnection::ExportAllSlots |
                                          QDBusConnection::ExportAllProperties))
        return nullptr;
    return portal;
}

FakeGlobalShortcutsPortal::FakeGlobalShortcutsPortal(const QString& address)
    : m_bus(QDBusConnection::connectToBus(address, QStringLiteral("fake-portal"))) {
    m_thread.start();
    moveToThread(&m_thread);
}

FakeGlobalShortcutsPortal::~FakeGlobalShortcutsPortal() {
    m_bus.unregisterObject(kPath);
    m_bus.unregisterService(kService);
    m_thread.quit();
    m_thread.wait();
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
}

QStringList FakeGlobalShortcutsPortal::sessions() const {
    std::lock_guard lock(m_mutex);
    return m_sessions;
}

QStringList FakeGlobalShortcutsPortal::closedSessions() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}

QList<QList<PortalShortcut>> FakeGlobalShortcutsPortal::bindings() const {
    std::lock_guard lock(m_mutex);
    return m_bindings;
}

void FakeGlobalShortcutsPortal::activate(const QString& session, const QString& id) {
    QDBusMessage signal =
        QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"),
                                   QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1) << QVariantMap();
    m_bus.send(signal);
}

QDBusObjectPath FakeGlobalShortcutsPortal::respond(const QDBusMessage& message,
                                                   const QVariantMap& options,
                                                   const QVariantMap& results) {
    QString sender = message.service().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path = QStringLiteral("%1/request/%2/%3")
                             .arg(kPath, sender, options.value("handle_token").toString());
    QDBusMessage response = QDBusMessage::createSignal(
        path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
    response << uint(0) << results;
    m_bus.send(response);
    return QDBusObjectPath(path);
}

QDBusObjectPath FakeGlobalShortcutsPortal::CreateSession(const QVariantMap& options,
                                                         const QDBusMessage& message) {
    QString sender = message.service().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString session =
        QStringLiteral("%1/session/%2/%3")
            .arg(kPath, sender, options.value("session_handle_token").toString());
    auto* object = new FakeSession([this, session] { closed(session); });
    object->setParent(this);
    m_bus.registerObject(session, object, QDBusConnection::ExportAllSlots);
    {
        std::lock_guard lock(m_mutex);
        m_sessions << session;
    }
    return respond(message, options, {{QStringLiteral("session_handle"), session}});
}

QDBusObjectPath FakeGlobalShortcutsPortal::BindShortcuts(const QDBusObjectPath& session,
                                                         const QList<PortalShortcut>& shortcuts,
                                                         const QString&, const QVariantMap& options,
                                                         const QDBusMessage& message) {
    {
        std::lock_guard lock(m_mutex);
        if (m_sessions.contains(session.path()))
            m_bindings << shortcuts;
    }
    return respond(message, options, {});
}

void FakeGlobalShortcutsPortal::closed(const QString& session) {
    std::lock_guard lock(m_mutex);
    m_closed << session;
}

#include "FakeGlobalShortcutsPortal.moc"
