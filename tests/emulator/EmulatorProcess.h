#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace tavlo::test {

// The real terminal emulator as a separate process, for one test. It serves
// TCP on a free loopback port and, when asked, a serial line whose
// pseudo-terminal is reachable through a symbolic link. The process is
// killed when the object goes.
class EmulatorProcess {
public:
    struct Options {
        QString stateFolder;
        qint32 machine = 1;
        qint32 password = 0;
        bool tcp = true;
        QString serialLink;    // empty: no serial line
        QStringList extra;     // further options, such as faults
    };

    explicit EmulatorProcess(Options options);
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    quint16 port() const { return port_; }
    const QString& serialLink() const { return options_.serialLink; }

    // Ends the process as an operator would (SIGTERM) and waits for it.
    void stop();
    // Starts it again on the same state folder and, when it is still free,
    // the same port, with `extra` in place of the options it had.
    void restart(const QStringList& extra);

    static QString program();
    // Runs the emulator once, without serving; throws when it fails. Returns
    // what it printed.
    static QString runOnce(const QStringList& arguments);

private:
    void start();
    void start(quint16 port);

    Options options_;
    std::unique_ptr<QProcess> process_;
    quint16 port_ = 0;
};

}  // namespace tavlo::test
