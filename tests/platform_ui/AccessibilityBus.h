#pragma once

#include <QDBusConnection>
#include <QList>
#include <QString>

#include <optional>
#include <ostream>

namespace tavlo::test {

// A client of the accessibility bus, as a screen reader is: it switches
// accessibility on through the session bus (org.a11y.Status.IsEnabled),
// connects to the accessibility bus whose address the session bus gives,
// and reads what its registry lists. Every call lets the calling thread's
// events be handled while it waits, so a program in the test's own process
// can answer.
class AccessibilityBus {
public:
    // A top-level window as the bus shows it: the AT-SPI name of its role
    // ("frame", "dialog", "alert", "filler"...) and its accessible name.
    struct Window {
        QString role;
        QString name;
        bool operator==(const Window&) const = default;
        friend void PrintTo(const Window& w, std::ostream* os)
        {
            *os << w.role.toStdString() << " \"" << w.name.toStdString() << '"';
        }
    };

    AccessibilityBus();
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    // The top-level windows that the application of a process shows on the
    // bus; empty while it has not registered.
    QList<Window> windowsOf(qint64 processId);
    // Waits until the application of a process lists a window named so,
    // and returns it; nothing when it never comes.
    std::optional<Window> waitForWindow(qint64 processId, const QString& name);

private:
    QDBusConnection bus_;
};

}  // namespace tavlo::test
