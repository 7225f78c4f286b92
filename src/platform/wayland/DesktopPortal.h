// What Tapedeck's desktop portals share: the portal service and object, its properties, and
// calls that are answered later through a Request object's Response signal. Main thread only.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>

namespace DesktopPortal {
extern const QString kService;
extern const QString kPath;

// A property of one of the portal's interfaces; invalid when the portal does not offer it.
QVariant property(const QString& interface, const QString& name);
// A name for a request or a session: the portal may still be ending an earlier one of this
// process, so it is never reused.
QString uniqueToken();
// response: 0 done, 1 cancelled by the user, 2 refused; `error` says why a call that could not
// even be made failed (response 2).
using Answer = std::function<void(uint response, const QVariantMap& results, const QString& error)>;
// Calls `method` with `arguments` and `options` (a handle token added); `answer` runs once, on
// the main thread, unless `context` has gone.
void request(QObject* context, const QString& interface, const QString& method,
             QList<QVariant> arguments, QVariantMap options, Answer answer);
void closeSession(const QString& session);

// Waits for one request's Response.
class Response : public QObject {
    Q_OBJECT
public:
    Response(QObject* context, QString path, Answer answer);
    void fail(const QString& error);

private slots:
    void onResponse(uint response, const QVariantMap& results);

private:
    void finish(uint response, const QVariantMap& results, const QString& error);
    QString m_path;
    Answer m_answer;
};
} // namespace DesktopPortal
