#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tavlo::test {

// A window system of the test's own, for tests of what the real one sees:
// an Xvfb server on a display that no one else uses and a private session
// bus, which starts the accessibility bus when a client asks for it. Made
// before the QApplication, it points DISPLAY, the session bus address,
// XDG_RUNTIME_DIR and Qt's platform (xcb) at them. Both servers end with the
// object, or with the test process when that dies first.
class X11Session {
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    const QString& display() const { return display_; }

private:
    // Starts a server that prints one line when it is ready; returns the line.
    static QString startServer(QProcess& process, const QString& program,
                               const QStringList& arguments);

    QTemporaryDir runtime_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> bus_;
    QString display_;
};

}  // namespace tavlo::test
