#include "WaylandPlatform.h"

#include "MainQueue.h"
#include "QtScreenDisplays.h"
#include "ScreenCastPortal.h"
#include "WaylandScreenCaptureSession.h"

class WaylandServices : public WindowList,
                        public ArrowCursor,
                        public InputMonitor,
                        public CaptureAuthorization {
public:
    std::vector<WindowInfo> onScreenWindows() const override { return {}; }
    std::optional<WindowInfo> windowInfo(uint32_t) const override { return std::nullopt; }
    QImage imageOfWindows(const QRectF&, const std::vector<uint32_t>&) const override { return {}; }
    QImage imageOfScreen(const QRectF&) const override { return {}; }
    CursorImage arrowCursor() const override { return {}; }
    MonitorId addMonitor(uint32_t, Handler) override { return ++m_monitors; }
    void removeMonitor(MonitorId) override {}
    // The portal asks the user when the cast starts.
    AuthorizationStatus authorizationStatus(CaptureMediaType) const override {
        return AuthorizationStatus::Authorized;
    }
    void requestAccess(CaptureMediaType, std::function<void(bool granted)> done) override {
        MainQueue::async([done = std::move(done)] { done(true); });
    }

private:
    MonitorId m_monitors = 0;
};

std::unique_ptr<WaylandPlatform> WaylandPlatform::create(Preferences& preferences) {
    if (!ScreenCastPortal::available())
        return nullptr;
    return std::unique_ptr<WaylandPlatform>(new WaylandPlatform(preferences));
}

WaylandPlatform::WaylandPlatform(Preferences& preferences)
    : m_displays(std::make_unique<QtScreenDisplays>()),
      m_services(std::make_unique<WaylandServices>()), m_preferences(preferences) {}

WaylandPlatform::~WaylandPlatform() = default;

Displays& WaylandPlatform::displays() {
    return *m_displays;
}
WindowList& WaylandPlatform::windowList() {
    return *m_services;
}
Pointer& WaylandPlatform::pointer() {
    return *m_displays;
}
ArrowCursor& WaylandPlatform::cursor() {
    return *m_services;
}
InputMonitor& WaylandPlatform::inputMonitor() {
    return *m_services;
}
CaptureAuthorization& WaylandPlatform::captureAuthorization() {
    return *m_services;
}

std::unique_ptr<ScreenCaptureSession> WaylandPlatform::createScreenCaptureSession() {
    return std::make_unique<WaylandScreenCaptureSession>(m_preferences);
}
