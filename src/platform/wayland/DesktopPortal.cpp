#include "DesktopPortal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QRandomGenerator>

#include <unistd.h>

namespace DesktopPortal {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");

namespace {
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
} // namespace

QVariant property(const QString& interface, const QString& name) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << interface << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

QString uniqueToken() {
    static int count = 0;
    return QStringLiteral("tapedeck%1_%2_%3")
        .arg(getpid())
        .arg(QRandomGenerator::global()->generate())
        .arg(++count);
}

void request(QObject* context, const QString& interface, const QString& method,
             QList<QVariant> arguments, QVariantMap options, Answer answer) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString token = uniqueToken();
    options.insert(QStringLiteral("handle_token"), token);
    // The answer comes as a signal on a path the portal derives from our name and the token;
    // listen before asking, so a quick answer is not missed.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    auto* response = new Response(
        context, QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token), std::move(answer));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    arguments << options;
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), response);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, response,
                     [response, method](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         if (w->isError())
                             response->fail(
                                 QStringLiteral("%1: %2").arg(method, w->error().message()));
                     });
}

void closeSession(const QString& session) {
    if (session.isEmpty())
        return;
    QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(kService, session,
                                       QStringLiteral("org.freedesktop.portal.Session"),
                                       QStringLiteral("Close")),
        QDBus::NoBlock);
}

Response::Response(QObject* context, QString path, Answer answer)
    : QObject(context), m_path(std::move(path)), m_answer(std::move(answer)) {
    QDBusConnection::sessionBus().connect(kService, m_path, kRequest, QStringLiteral("Response"),
                                          this, SLOT(onResponse(uint, QVariantMap)));
}

void Response::fail(const QString& error) {
    finish(2, {}, error);
}

void Response::onResponse(uint response, const QVariantMap& results) {
    finish(response, results, {});
}

void Response::finish(uint response, const QVariantMap& results, const QString& error) {
    if (!m_answer)
        return;
    QDBusConnection::sessionBus().disconnect(kService, m_path, kRequest, QStringLiteral("Response"),
                                             this, SLOT(onResponse(uint, QVariantMap)));
    deleteLater();
    std::exchange(m_answer, nullptr)(response, results, error);
}
} // namespace DesktopPortal
