#include "tests/platform_ui/AccessibilityBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QTest>

#include <stdexcept>

namespace tavlo::test::atspi {

// An accessible object on the bus: the connection that serves it and its path.
struct ObjectRef {
    QString service;
    QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& argument, const ObjectRef& ref)
{
    argument.beginStructure();
    argument << ref.service << ref.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ObjectRef& ref)
{
    argument.beginStructure();
    argument >> ref.service >> ref.path;
    argument.endStructure();
    return argument;
}

}  // namespace tavlo::test::atspi

Q_DECLARE_METATYPE(tavlo::test::atspi::ObjectRef)

namespace tavlo::test {
namespace {

using atspi::ObjectRef;

constexpr auto kConnectionName = "tavlo-test-accessibility";
constexpr auto kLauncher = "org.a11y.Bus";
constexpr auto kLauncherPath = "/org/a11y/bus";
constexpr auto kRegistry = "org.a11y.atspi.Registry";
constexpr auto kRoot = "/org/a11y/atspi/accessible/root";
constexpr auto kAccessible = "org.a11y.atspi.Accessible";
constexpr auto kProperties = "org.freedesktop.DBus.Properties";
// A program registers within a second; this only bounds one that never does.
constexpr int kRegisterMs = 20000;

QDBusMessage call(const QDBusConnection& bus, const QDBusMessage& message)
{
    const QDBusMessage reply = QDBusConnection(bus).call(message, QDBus::BlockWithGui);
    if (reply.type() == QDBusMessage::ErrorMessage)
        throw std::runtime_error("accessibility bus: " + message.member().toStdString() + ": "
                                 + reply.errorMessage().toStdString());
    return reply;
}

QDBusConnection connectToAccessibilityBus()
{
    qDBusRegisterMetaType<ObjectRef>();
    qDBusRegisterMetaType<QList<ObjectRef>>();

    const QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        throw std::runtime_error("no session bus");
    // What a screen reader does when it starts: applications that watch
    // this switch then join the accessibility bus.
    QDBusMessage enable = QDBusMessage::createMethodCall(kLauncher, kLauncherPath, kProperties,
                                                         QStringLiteral("Set"));
    enable << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
           << QVariant::fromValue(QDBusVariant(true));
    call(session, enable);
    const QDBusMessage address = call(
        session, QDBusMessage::createMethodCall(kLauncher, kLauncherPath, kLauncher,
                                                QStringLiteral("GetAddress")));
    const QString text = address.arguments().value(0).toString();
    QDBusConnection bus = QDBusConnection::connectToBus(text, QLatin1String(kConnectionName));
    if (!bus.isConnected())
        throw std::runtime_error("cannot connect to the accessibility bus at " + text.toStdString());
    return bus;
}

// The role a screen reader acts on is the number; these are the names
// AT-SPI gives the numbers of the roles a top-level object may have.
QString roleName(uint role)
{
    switch (role) {
    case 2:
        return QStringLiteral("alert");
    case 16:
        return QStringLiteral("dialog");
    case 19:
        return QStringLiteral("file chooser");
    case 20:
        return QStringLiteral("filler");
    case 23:
        return QStringLiteral("frame");
    case 69:
        return QStringLiteral("window");
    default:
        return QStringLiteral("role %1").arg(role);
    }
}

QList<ObjectRef> childrenOf(const QDBusConnection& bus, const QString& service, const QString& path)
{
    const QDBusMessage reply = call(
        bus, QDBusMessage::createMethodCall(service, path, kAccessible, QStringLiteral("GetChildren")));
    return qdbus_cast<QList<ObjectRef>>(reply.arguments().value(0));
}

}  // namespace

AccessibilityBus::AccessibilityBus() : bus_(connectToAccessibilityBus()) {}

AccessibilityBus::~AccessibilityBus()
{
    QDBusConnection::disconnectFromBus(QLatin1String(kConnectionName));
}

QList<AccessibilityBus::Window> AccessibilityBus::windowsOf(qint64 processId)
{
    QList<Window> windows;
    for (const ObjectRef& application : childrenOf(bus_, kRegistry, kRoot)) {
        const QDBusReply<uint> pid = bus_.interface()->servicePid(application.service);
        if (!pid.isValid() || pid.value() != processId)
            continue;
        for (const ObjectRef& child :
             childrenOf(bus_, application.service, application.path.path())) {
            Window window;
            const QDBusMessage role =
                call(bus_, QDBusMessage::createMethodCall(child.service, child.path.path(),
                                                          kAccessible, QStringLiteral("GetRole")));
            window.role = roleName(role.arguments().value(0).toUInt());
            QDBusMessage get = QDBusMessage::createMethodCall(child.service, child.path.path(),
                                                              kProperties, QStringLiteral("Get"));
            get << QLatin1String(kAccessible) << QStringLiteral("Name");
            const QDBusMessage name = call(bus_, get);
            window.name =
                qdbus_cast<QDBusVariant>(name.arguments().value(0)).variant().toString();
            windows << window;
        }
    }
    return windows;
}

std::optional<AccessibilityBus::Window> AccessibilityBus::waitForWindow(qint64 processId,
                                                                        const QString& name)
{
    std::optional<Window> found;
    // The outcome is `found`: nothing when the time ran out.
    (void)QTest::qWaitFor(
        [&] {
            for (const Window& window : windowsOf(processId)) {
                if (window.name == name)
                    found = window;
            }
            return found.has_value();
        },
        kRegisterMs);
    return found;
}

}  // namespace tavlo::test
