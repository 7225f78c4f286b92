#include "SingleWindow.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

constexpr const char* kService = "org.tapedeck.Tapedeck";
constexpr const char* kPath = "/org/tapedeck/Tapedeck";
constexpr int kRaiseTimeoutMs = 5000;

} // namespace

bool SingleWindow::claim() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return true;
    const auto reply =
        bus.interface()->registerService(kService, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return true;
    bus.call(QDBusMessage::createMethodCall(kService, kPath, kService, "raise"), QDBus::Block,
             kRaiseTimeoutMs);
    return false;
}

void SingleWindow::serve(QWidget* window) {
    window_ = window;
    QDBusConnection::sessionBus().registerObject(kPath, this,
                                                 QDBusConnection::ExportScriptableSlots);
}

void SingleWindow::raise() {
    if (!window_)
        return;
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}
