#include "tests/emulator/EmulatorProcess.h"

#include "tests/support/UserFolders.h"

#include <QDir>
#include <QRegularExpression>

#include <csignal>
#include <stdexcept>
#include <sys/prctl.h>

namespace tavlo::test {

namespace {

// Starting takes a few milliseconds; this only bounds a broken start.
constexpr int kStartMs = 20000;

}  // namespace

QString EmulatorProcess::program()
{
    return QDir(UserFolders::binaryFolder()).filePath("terminal-emulator");
}

QString EmulatorProcess::runOnce(const QStringList& arguments)
{
    QProcess process;
    process.start(program(), arguments);
    if (!process.waitForFinished(kStartMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        throw std::runtime_error("terminal-emulator " + arguments.join(' ').toStdString() + " failed: "
                                 + process.readAllStandardError().toStdString());
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

EmulatorProcess::EmulatorProcess(Options options) : options_(std::move(options))
{
    start();
}

EmulatorProcess::~EmulatorProcess()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(kStartMs);
    }
}

void EmulatorProcess::start()
{
    // A terminal started again keeps its address, as a real one does; when
    // its port was taken meanwhile it gets another.
    if (port_ != 0) {
        try {
            start(port_);
            return;
        } catch (const std::runtime_error&) {
        }
    }
    start(0);
}

void EmulatorProcess::start(quint16 port)
{
    QStringList arguments{"--state", options_.stateFolder, "--machine", QString::number(options_.machine),
                          "--password", QString::number(options_.password)};
    if (options_.tcp)
        arguments << "--listen" << QStringLiteral("127.0.0.1:%1").arg(port);
    if (!options_.serialLink.isEmpty())
        arguments << "--serial" << options_.serialLink;
    arguments << options_.extra;

    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that dies on a sanitizer report runs no destructor; the
    // emulator must not outlive it.
    process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process_->start(program(), arguments);
    if (!process_->waitForStarted(kStartMs))
        throw std::runtime_error("cannot start " + program().toStdString());

    static const QRegularExpression listening(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)$"));
    QByteArray pending;
    for (;;) {
        if (!process_->canReadLine() && !process_->waitForReadyRead(kStartMs))
            throw std::runtime_error("terminal-emulator ended or hung before it was ready");
        while (process_->canReadLine()) {
            const QString line = QString::fromLocal8Bit(process_->readLine()).trimmed();
            if (const auto match = listening.match(line); match.hasMatch())
                port_ = static_cast<quint16>(match.captured(1).toUInt());
            if (line == "ready")
                return;
        }
    }
}

void EmulatorProcess::stop()
{
    process_->terminate();
    if (!process_->waitForFinished(kStartMs))
        process_->kill();
}

void EmulatorProcess::restart(const QStringList& extra)
{
    stop();
    options_.extra = extra;
    start();
}

}  // namespace tavlo::test
