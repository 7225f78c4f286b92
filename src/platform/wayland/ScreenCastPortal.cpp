#include "ScreenCastPortal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include "DesktopPortal.h"
#include "KTLog.h"

#include <unistd.h>

namespace {
const QString kInterface = QStringLiteral("org.freedesktop.portal.ScreenCast");
constexpr uint kMonitorSource = 1;
constexpr uint kCursorEmbedded = 2;
constexpr uint kCursorMetadata = 4;
// The choice is kept until it is revoked, not only while Tapedeck runs.
constexpr uint kPersistUntilRevoked = 2;
// The first version of the interface that keeps a choice and takes it back by token.
constexpr uint kPersistVersion = 4;

QVariant portalProperty(const QString& name) {
    return DesktopPortal::property(kInterface, name);
}

// A pair of integers from a stream's properties, e.g. its position or size.
QPoint readPair(const QVariantMap& properties, const QString& key) {
    const QDBusArgument pair = properties.value(key).value<QDBusArgument>();
    if (pair.currentType() != QDBusArgument::StructureType)
        return {};
    int a = 0, b = 0;
    pair.beginStructure();
    pair >> a >> b;
    pair.endStructure();
    return QPoint(a, b);
}

// The first stream of Start's answer: its PipeWire node and where it lies on the desktop.
bool readFirstStream(const QVariant& streams, uint32_t& node, QRect& area) {
    const QDBusArgument array = streams.value<QDBusArgument>();
    array.beginArray();
    bool found = false;
    while (!array.atEnd() && !found) {
        uint id = 0;
        QVariantMap properties;
        array.beginStructure();
        array >> id >> properties;
        array.endStructure();
        node = id;
        found = true;
        const QPoint size = readPair(properties, QStringLiteral("size"));
        area = QRect(readPair(properties, QStringLiteral("position")), QSize(size.x(), size.y()));
    }
    array.endArray();
    return found;
}
} // namespace

ScreenCastPortal::ScreenCastPortal(QString restoreToken, QObject* parent)
    : QObject(parent), m_restoreToken(std::move(restoreToken)) {}

ScreenCastPortal::~ScreenCastPortal() {
    closeSession();
}

void ScreenCastPortal::closeSession() {
    DesktopPortal::closeSession(m_session);
    m_session.clear();
}

bool ScreenCastPortal::available() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(DesktopPortal::kService).value() &&
           portalProperty(QStringLiteral("version")).isValid();
}

void ScreenCastPortal::start(Done done) {
    m_done = std::move(done);
    if (!QDBusConnection::sessionBus().isConnected())
        return finish({}, QStringLiteral("no session bus"));
    createSession();
}

void ScreenCastPortal::request(const QString& method, const QList<QVariant>& arguments,
                               QVariantMap options) {
    DesktopPortal::request(this, kInterface, method, arguments, std::move(options),
                           [this](uint response, const QVariantMap& results, const QString& error) {
                               answered(response, results, error);
                           });
}

void ScreenCastPortal::createSession() {
    m_step = Step::CreateSession;
    // A name of its own: the portal may still be closing the previous session of this process.
    request(QStringLiteral("CreateSession"), {},
            {{QStringLiteral("session_handle_token"), DesktopPortal::uniqueToken()}});
}

void ScreenCastPortal::selectSources() {
    m_step = Step::SelectSources;
    QVariantMap options{{QStringLiteral("types"), kMonitorSource},
                        {QStringLiteral("multiple"), false}};
    // On Wayland only the compositor knows where the pointer is. Beside the picture it lets us
    // draw the pointer (and its highlight) ourselves; else it draws the pointer into the
    // picture.
    const uint cursorModes = portalProperty(QStringLiteral("AvailableCursorModes")).toUInt();
    if (cursorModes & kCursorMetadata)
        options.insert(QStringLiteral("cursor_mode"), kCursorMetadata);
    else if (cursorModes & kCursorEmbedded)
        options.insert(QStringLiteral("cursor_mode"), kCursorEmbedded);
    // An older portal refuses options it does not know.
    if (portalProperty(QStringLiteral("version")).toUInt() >= kPersistVersion) {
        options.insert(QStringLiteral("persist_mode"), kPersistUntilRevoked);
        m_sentToken = !m_restoreToken.isEmpty();
        if (m_sentToken)
            options.insert(QStringLiteral("restore_token"), m_restoreToken);
    } else {
        m_restoreToken.clear();
    }
    request(QStringLiteral("SelectSources"), {QVariant::fromValue(QDBusObjectPath(m_session))},
            options);
}

void ScreenCastPortal::startCast() {
    m_step = Step::Start;
    request(QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(m_session)), QString()},
            {});
}

void ScreenCastPortal::openRemote() {
    m_step = Step::Done;
    QDBusMessage call =
        QDBusMessage::createMethodCall(DesktopPortal::kService, DesktopPortal::kPath, kInterface,
                                       QStringLiteral("OpenPipeWireRemote"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap();
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        if (reply.isError() || !reply.value().isValid())
            return finish({},
                          QStringLiteral("OpenPipeWireRemote: %1").arg(reply.error().message()));
        Cast cast = m_cast;
        // The descriptor object closes its own copy when it goes.
        cast.pipeWireFd = ::dup(reply.value().fileDescriptor());
        finish(cast, {});
    });
}

void ScreenCastPortal::answered(uint response, const QVariantMap& results, const QString& error) {
    if (!error.isEmpty())
        return finish({}, error);
    if (response != 0)
        return finish({}, response == 1 ? QStringLiteral("the screen choice was cancelled")
                                        : QStringLiteral("the portal refused the screen cast"));
    switch (m_step) {
    case Step::CreateSession:
        m_session = results.value(QStringLiteral("session_handle")).toString();
        return selectSources();
    case Step::SelectSources:
        return startCast();
    case Step::Start:
        // A token serves once: the portal gives a new one for the next run, or none when it
        // will not remember the choice.
        m_restoreToken = results.value(QStringLiteral("restore_token")).toString();
        if (!readFirstStream(results.value(QStringLiteral("streams")), m_cast.node, m_cast.area))
            return finish({}, QStringLiteral("the portal gave no stream"));
        return openRemote();
    case Step::Idle:
    case Step::Done:
        return;
    }
}

void ScreenCastPortal::finish(const Cast& cast, const QString& error) {
    if (!m_done)
        return;
    // A cast that did not start used up or was refused its token: the next run asks again.
    if (!error.isEmpty())
        m_restoreToken.clear();
    // A token the portal will not take (a stale or damaged one) is no reason to fail: the
    // choice is asked for again.
    if (!error.isEmpty() && m_sentToken && m_step == Step::SelectSources) {
        KTLOG("restore token refused: %s", qPrintable(error));
        m_sentToken = false;
        closeSession();
        return createSession();
    }
    m_step = Step::Done;
    Done done = std::move(m_done);
    m_done = nullptr;
    done(cast, error);
}
