#include "GlobalShortcutsPortal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>

#include "DesktopPortal.h"
#include "InputMonitor.h"
#include "KTLog.h"
#include "VirtualKeyCode.h"

namespace {
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

bool sameCombinations(const std::vector<HotkeyCombination>& a,
                      const std::vector<HotkeyCombination>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.keyCode == y.keyCode && x.modifierFlags == y.modifierFlags;
    });
}

// A key's name in the desktop shortcut notation: printable keys by their character, function
// keys as F1...; empty for others, which the user then chooses in the desktop's dialog.
QString keyName(uint16_t keyCode) {
    const std::optional<uint32_t> sym = keySymForVirtualKeyCode(keyCode);
    if (!sym)
        return {};
    if (*sym > 0x20 && *sym < 0x7f)
        return QString(QChar(char16_t(*sym)));
    constexpr uint32_t kF1 = 0xffbe, kF35 = 0xffe0;
    if (*sym >= kF1 && *sym <= kF35)
        return QStringLiteral("F%1").arg(*sym - kF1 + 1);
    return {};
}
} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

bool GlobalShortcutsPortal::available() {
    return DesktopPortal::property(kInterface, QStringLiteral("version")).isValid();
}

std::unique_ptr<GlobalShortcutsPortal> GlobalShortcutsPortal::create(Pressed pressed) {
    if (!available())
        return nullptr;
    return std::unique_ptr<GlobalShortcutsPortal>(new GlobalShortcutsPortal(std::move(pressed)));
}

GlobalShortcutsPortal::GlobalShortcutsPortal(Pressed pressed) : m_pressed(std::move(pressed)) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    QDBusConnection::sessionBus().connect(DesktopPortal::kService, DesktopPortal::kPath, kInterface,
                                          QStringLiteral("Activated"), this,
                                          SLOT(onActivated(QDBusMessage)));
}

GlobalShortcutsPortal::~GlobalShortcutsPortal() {
    endSession();
}

PortalShortcut GlobalShortcutsPortal::shortcutFor(const HotkeyCombination& c) {
    QStringList keys;
    const std::pair<uint32_t, const char*> modifiers[] = {{kModifierControl, "CTRL"},
                                                          {kModifierOption, "ALT"},
                                                          {kModifierShift, "SHIFT"},
                                                          {kModifierCommand, "LOGO"}};
    for (const auto& [flag, name] : modifiers) {
        if (c.modifierFlags & flag)
            keys << QString::fromLatin1(name);
    }
    PortalShortcut shortcut{QStringLiteral("key%1-mod%2").arg(c.keyCode).arg(c.modifierFlags), {}};
    const QString key = keyName(c.keyCode);
    shortcut.properties.insert(QStringLiteral("description"),
                               QStringLiteral("Tapedeck %1").arg(shortcut.id));
    if (!key.isEmpty()) {
        keys << key;
        const QString trigger = keys.join(QLatin1Char('+'));
        shortcut.properties.insert(QStringLiteral("preferred_trigger"), trigger);
        shortcut.properties.insert(QStringLiteral("description"),
                                   QStringLiteral("Tapedeck %1").arg(trigger));
    }
    return shortcut;
}

std::vector<bool> GlobalShortcutsPortal::grab(const std::vector<HotkeyCombination>& combinations) {
    const std::vector<bool> taken(combinations.size(), false);
    if (sameCombinations(combinations, m_wanted))
        return taken;
    m_wanted = combinations;
    // A session's shortcuts are bound once: new ones take a new session.
    endSession();
    if (!m_wanted.empty() && !m_creating)
        createSession();
    return taken;
}

void GlobalShortcutsPortal::createSession() {
    m_creating = true;
    DesktopPortal::request(
        this, kInterface, QStringLiteral("CreateSession"), {},
        {{QStringLiteral("session_handle_token"), DesktopPortal::uniqueToken()}},
        [this](uint response, const QVariantMap& results, const QString& error) {
            m_creating = false;
            if (response != 0) {
                KTLOG("no global shortcuts session: %u %s", response, qPrintable(error));
                return;
            }
            m_session = results.value(QStringLiteral("session_handle")).toString();
            // The combinations may have changed while the session was made.
            if (m_wanted.empty())
                endSession();
            else
                bind();
        });
}

void GlobalShortcutsPortal::bind() {
    QList<PortalShortcut> shortcuts;
    for (const HotkeyCombination& c : m_wanted)
        shortcuts << shortcutFor(c);
    DesktopPortal::request(this, kInterface, QStringLiteral("BindShortcuts"),
                           {QVariant::fromValue(QDBusObjectPath(m_session)),
                            QVariant::fromValue(shortcuts), QString()},
                           {}, [](uint response, const QVariantMap&, const QString& error) {
                               if (response != 0)
                                   KTLOG("global shortcuts not bound: %u %s", response,
                                         qPrintable(error));
                           });
}

void GlobalShortcutsPortal::endSession() {
    DesktopPortal::closeSession(m_session);
    m_session.clear();
}

void GlobalShortcutsPortal::onActivated(const QDBusMessage& activation) {
    const QList<QVariant> arguments = activation.arguments();
    if (arguments.size() < 2 || arguments[0].value<QDBusObjectPath>().path() != m_session)
        return;
    const QString id = arguments[1].toString();
    for (const HotkeyCombination& c : m_wanted) {
        if (shortcutFor(c).id == id)
            return m_pressed(c);
    }
}
