#include "WaylandPlatform.h"

#include <QGuiApplication>
#include <QScreen>

#include "CastCursor.h"
#include "CoordinateSpace.h"
#include "GlobalShortcutsPortal.h"
#include "MainQueue.h"
#include "QtInputMonitor.h"
#include "QtScreenDisplays.h"
#include "ScreenCastPortal.h"
#include "WaylandScreenCaptureSession.h"
#include "WaylandScreenCast.h"

class WaylandServices : public WindowList, public CaptureAuthorization {
public:
    explicit WaylandServices(std::function<QImage(const QRectF&)> picture)
        : m_picture(std::move(picture)) {}

    std::vector<WindowInfo> onScreenWindows() const override { return {}; }
    std::optional<WindowInfo> windowInfo(uint32_t) const override { return std::nullopt; }
    // No window is listed, so what lies within the bounds is the screen's own picture.
    QImage imageOfWindows(const QRectF& bounds, const std::vector<uint32_t>&) const override {
        return m_picture(bounds).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    QImage imageOfScreen(const QRectF& bounds) const override { return m_picture(bounds); }
    // The portal asks the user when the cast starts.
    AuthorizationStatus authorizationStatus(CaptureMediaType) const override {
        return AuthorizationStatus::Authorized;
    }
    void requestAccess(CaptureMediaType, std::function<void(bool granted)> done) override {
        MainQueue::async([done = std::move(done)] { done(true); });
    }

private:
    std::function<QImage(const QRectF&)> m_picture;
};

std::unique_ptr<WaylandPlatform> WaylandPlatform::create(Preferences& preferences) {
    if (!ScreenCastPortal::available())
        return nullptr;
    return std::unique_ptr<WaylandPlatform>(new WaylandPlatform(preferences));
}

WaylandPlatform::WaylandPlatform(Preferences& preferences)
    : m_displays(std::make_unique<QtScreenDisplays>()),
      m_services(std::make_unique<WaylandServices>(
          [this](const QRectF& bounds) { return picture(bounds); })),
      m_input(std::make_unique<QtInputMonitor>()),
      m_cursor(std::make_shared<CastCursor>(*m_displays)), m_preferences(preferences) {}

WaylandPlatform::~WaylandPlatform() = default;

Displays& WaylandPlatform::displays() {
    return *m_displays;
}
WindowList& WaylandPlatform::windowList() {
    return *m_services;
}
Pointer& WaylandPlatform::pointer() {
    return *m_cursor;
}
ArrowCursor& WaylandPlatform::cursor() {
    return *m_cursor;
}
InputMonitor& WaylandPlatform::inputMonitor() {
    return *m_input;
}
CaptureAuthorization& WaylandPlatform::captureAuthorization() {
    return *m_services;
}

std::unique_ptr<ScreenCaptureSession> WaylandPlatform::createScreenCaptureSession() {
    return std::make_unique<WaylandScreenCaptureSession>([this] { return castToRecord(); });
}

std::shared_ptr<WaylandScreenCast> WaylandPlatform::castToRecord() {
    std::shared_ptr<WaylandScreenCast> cast = std::move(m_chosen);
    if (!cast)
        cast = newCast();
    m_newest = cast;
    return cast;
}

std::shared_ptr<WaylandScreenCast> WaylandPlatform::newCast() {
    const int number = m_cursor->follow();
    return std::make_shared<WaylandScreenCast>(
        m_preferences,
        [cursor = m_cursor, number](const PipeWireScreenStream::Cursor& c, const QRect& area) {
            cursor->update(number, c, area);
        });
}

void WaylandPlatform::chooseScreen(
    std::function<void(std::optional<DisplayInfo> screen, const QString& error)> done) {
    auto cast = newCast();
    m_chosen = cast;
    m_newest = cast;
    auto answer = std::make_shared<decltype(done)>(std::move(done));
    const std::weak_ptr<WaylandScreenCast> weak = cast;
    // The choice is made once a picture shows what was chosen.
    QObject::connect(cast.get(), &WaylandScreenCast::firstPicture, cast.get(),
                     [this, weak, answer] {
                         if (const auto c = weak.lock(); c && *answer)
                             std::exchange(*answer, nullptr)(displayAt(c->area()), QString());
                     });
    // A cast that broke is not handed to a recording.
    const auto refuse = [this, weak, answer](const QString& error) {
        if (const auto c = weak.lock(); c && c == m_chosen) {
            m_chosen.reset();
            // Gone once the call that told us has returned.
            MainQueue::async([c] {});
        }
        if (*answer)
            std::exchange(*answer, nullptr)(std::nullopt, error);
    };
    QObject::connect(cast.get(), &WaylandScreenCast::failed, cast.get(), refuse);
    cast->start([refuse](const QString& error) {
        if (!error.isEmpty())
            refuse(error);
    });
}

bool WaylandPlatform::offersGlobalShortcuts() const {
    return GlobalShortcutsPortal::available();
}

std::unique_ptr<HotkeyGrabber> WaylandPlatform::createHotkeyGrabber() {
    return GlobalShortcutsPortal::create([this](const HotkeyCombination& c) {
        InputEvent press;
        press.type = InputEvent::Type::KeyDown;
        press.keyCode = c.keyCode;
        press.modifierFlags = c.modifierFlags;
        m_input->post(press);
    });
}

void WaylandPlatform::releaseChosenScreen() {
    m_chosen.reset();
}

std::optional<DisplayInfo> WaylandPlatform::displayAt(const QRect& area) const {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRectF frame =
        CoordinateSpace(primary ? primary->geometry() : QRect()).toBottomLeft(QRectF(area));
    for (const DisplayInfo& d : m_displays->screens()) {
        if (d.frame == frame)
            return d;
    }
    return m_displays->mainScreen();
}

QImage WaylandPlatform::picture(const QRectF& bounds) const {
    const std::shared_ptr<WaylandScreenCast> cast = m_newest.lock();
    if (!cast)
        return {};
    const QImage latest = cast->latest();
    if (latest.isNull())
        return {};
    // The bounds in window-list coordinates: the primary screen's top-left corner is the origin.
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRectF desktop =
        CoordinateSpace(primary ? primary->geometry() : QRect()).fromWindowList(bounds);
    const QPoint origin = cast->area().isEmpty() ? QPoint() : cast->area().topLeft();
    return latest.copy(desktop.translated(-origin).toAlignedRect());
}
