#include "tests/platform_ui/X11Session.h"

#include <QFile>

#include <csignal>
#include <stdexcept>
#include <sys/prctl.h>

namespace tavlo::test {
namespace {

// Both servers are ready in well under a second; this only bounds a
// broken start.
constexpr int kStartMs = 20000;

}  // namespace

X11Session::X11Session()
{
    if (!runtime_.isValid())
        throw std::runtime_error("cannot make a runtime folder for the test's window system");
    // The runtime folder holds the accessibility bus's socket; it must be
    // private to its user.
    QFile::setPermissions(runtime_.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());

    // Xvfb picks a free display and writes its number to the descriptor
    // named by -displayfd, here its standard output.
    server_ = std::make_unique<QProcess>();
    const QString number = startServer(*server_, QStringLiteral("Xvfb"),
                                       {"-displayfd", "1", "-screen", "0", "1024x768x24",
                                        "-nolisten", "tcp"});
    bool isNumber = false;
    number.toUInt(&isNumber);
    if (!isNumber)
        throw std::runtime_error("Xvfb gave no display number: " + number.toStdString());
    display_ = u':' + number;
    qputenv("DISPLAY", display_.toLocal8Bit());

    // The bus and what it starts (the accessibility bus) inherit DISPLAY.
    bus_ = std::make_unique<QProcess>();
    const QString address = startServer(*bus_, QStringLiteral("dbus-daemon"),
                                        {"--session", "--nofork", "--print-address=1"});
    if (address.isEmpty())
        throw std::runtime_error("dbus-daemon gave no address");
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
}

X11Session::~X11Session()
{
    for (QProcess* process : {bus_.get(), server_.get()}) {
        if (process && process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(kStartMs))
                process->kill();
        }
    }
}

QString X11Session::startServer(QProcess& process, const QString& program,
                                const QStringList& arguments)
{
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A test that dies on a sanitizer report runs no destructor; the
    // servers must not outlive it.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start(program, arguments);
    if (!process.waitForStarted(kStartMs))
        throw std::runtime_error("cannot start " + program.toStdString()
                                 + "; scripts/setup.sh installs it");
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(kStartMs))
            throw std::runtime_error(program.toStdString() + " ended or hung before it was ready");
    }
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}

}  // namespace tavlo::test
