// The ScreenCast desktop portal over the session bus: one cast of one monitor, chosen in the
// portal's dialog (or at once with a restore token from an earlier choice), handed over as a
// PipeWire remote and the node to read. Everything runs on the main thread.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QVariantMap>
#include <functional>

class ScreenCastPortal : public QObject {
    Q_OBJECT
public:
    struct Cast {
        int pipeWireFd = -1; // owned by the receiver
        uint32_t node = 0;
        // The monitor on the desktop (top-left origin); empty where the portal does not say.
        QRect area;
    };
    using Done = std::function<void(const Cast& cast, const QString& error)>;

    explicit ScreenCastPortal(QString restoreToken, QObject* parent = nullptr);
    // Closes the portal session, which ends the cast.
    ~ScreenCastPortal() override;

    // Whether the portal is on the session bus at all.
    static bool available();
    // Runs the whole handshake once; `done` gets the cast, or an error saying why there is none.
    void start(Done done);
    // Once done: the token that skips the dialog next time; empty when the portal keeps no
    // choice or the cast did not start.
    QString restoreToken() const { return m_restoreToken; }

private:
    enum class Step { Idle, CreateSession, SelectSources, Start, Done };
    void request(const QString& method, const QList<QVariant>& arguments, QVariantMap options);
    void answered(uint response, const QVariantMap& results, const QString& error);
    void createSession();
    void selectSources();
    void startCast();
    void openRemote();
    void closeSession();
    void finish(const Cast& cast, const QString& error);

    QString m_restoreToken;
    QString m_session;
    Step m_step = Step::Idle;
    Cast m_cast;
    Done m_done;
    bool m_sentToken = false;
};
