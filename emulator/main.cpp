#include "emulator/Faults.h"
#include "emulator/RecordsFile.h"
#include "emulator/SerialLine.h"
#include "emulator/TcpLink.h"
#include "emulator/TerminalService.h"
#include "emulator/TerminalState.h"
#include "emulator/UsersFile.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

using namespace tavlo;
using namespace tavlo::emulator;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &c, 1);
}

void say(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void usageError(const QString& text)
{
    std::fprintf(stderr, "terminal-emulator: %s\nTry 'terminal-emulator --help'.\n",
                 text.toLocal8Bit().constData());
    std::exit(2);
}

std::int64_t number(const QCommandLineParser& p, const QString& name, std::int64_t low, std::int64_t high)
{
    bool ok = false;
    const qlonglong n = p.value(name).toLongLong(&ok);
    if (!ok || n < low || n > high)
        usageError(QStringLiteral("--%1 wants a whole number from %2 to %3, not \"%4\".")
                       .arg(name).arg(low).arg(high).arg(p.value(name)));
    return n;
}

const char* kDescription =
    "Plays one time-attendance terminal for Tavlo Senkor, so that the program can be\n"
    "learned and tested without hardware. The terminal keeps its users, enrolments,\n"
    "attendance log, read mark, clock and keypad state in the state folder, which\n"
    "survives restarts. It is reached over TCP (--listen) and/or over a serial line\n"
    "played by a pseudo-terminal (--serial). Without --listen or --serial it only\n"
    "applies the imports and changes given and ends.\n"
    "\n"
    "Import files are TAB-separated text with a header line naming the columns:\n"
    "  records: user mode year month day hour minute second [verify]\n"
    "  users:   user enrolment privilege enabled [password] [data]\n"
    "where data is the enrolment's integers separated by commas (at most 354).\n"
    "\n"
    "When it is ready it prints 'listening on HOST:PORT' and/or\n"
    "'serial line DEVICE' and then 'ready'.";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("terminal-emulator");
    QCoreApplication::setApplicationVersion("1.0");

    QCommandLineParser p;
    p.setApplicationDescription(QString::fromLatin1(kDescription));
    p.addHelpOption();
    p.addVersionOption();
    p.addOptions({
        {"state", "The terminal's state folder (created when missing). Required.", "DIR"},
        {"machine", "The terminal's machine number (kept in the state; default 1).", "N"},
        {"password", "The link password (kept in the state; default 0).", "P"},
        {"listen", "Serve TCP links on HOST:PORT; port 0 picks a free port.", "HOST:PORT"},
        {"serial", "Serve a serial line on a new pseudo-terminal, reachable as LINK (a symbolic link).", "LINK"},
        {"baud", "The serial line's speed (default 115200).", "RATE", "115200"},
        {"import-records", "Append the records of a TAB-separated FILE to the log.", "FILE"},
        {"import-users", "Add or replace the enrolments of a TAB-separated FILE.", "FILE"},
        {"generate", "Append N made-up records to the log (for benchmarks).", "N"},
        {"clear-records", "Empty the attendance log before any import."},
        {"clock-offset", "Set the terminal's clock SECONDS ahead of the host's (negative: behind).", "SECONDS"},
        {"drop-after", "Fault: end a link after it has delivered K records.", "K"},
        {"stall-after", "Fault: stop answering a link after it has delivered K records.", "K"},
        {"slow", "Fault: wait MS milliseconds before every answer.", "MS"},
        {"refuse", "Fault: refuse every link."},
        {"lose-confirmation",
         "Fault: the message that closes a link never arrives: the link ends without an answer and "
         "nothing its read delivered is confirmed."},
        {"hold-confirmation",
         "Fault: as --lose-confirmation, but the link stays open without an answer, so that the PC "
         "waits its whole reply time."},
        {"fail",
         "Fault: refuse every request of operation OP (SetEnabled, GetStatus, SetClock, GetClock, "
         "SetPrivilege, ClearLogs, ReadEnrolment, WriteEnrolment, ...), as a terminal that cannot "
         "do it; with OP:K, every request of OP on a link after its first K. May be given more "
         "than once.",
         "OP[:K]"},
        {"verbose", "Report links and changes on standard error."},
    });
    p.process(app);

    if (!p.isSet("state"))
        usageError(QStringLiteral("--state DIR is required."));

    try {
        TerminalState state(p.value("state"));

        TerminalSettings settings = state.settings();
        if (p.isSet("machine"))
            settings.machine = static_cast<std::int32_t>(number(p, "machine", INT32_MIN, INT32_MAX));
        if (p.isSet("password"))
            settings.password = static_cast<std::int32_t>(number(p, "password", INT32_MIN, INT32_MAX));
        if (p.isSet("clock-offset"))
            settings.clockOffset = number(p, "clock-offset", -400LL * 366 * 86400, 400LL * 366 * 86400);
        state.changeSettings(settings);

        if (p.isSet("clear-records"))
            state.clearRecords();
        if (p.isSet("import-records")) {
            const QString file = p.value("import-records");
            const auto records = parseRecords(textfile::readAll(file), file);
            state.records().append(records);
            say(QStringLiteral("imported %1 records").arg(records.size()));
        }
        if (p.isSet("import-users")) {
            const QString file = p.value("import-users");
            const auto rows = parseUsers(textfile::readAll(file), file);
            for (const UserRow& row : rows) {
                StoredEnrolment entry = row.entry;
                if (!row.hasData)
                    if (const StoredEnrolment* old = state.enrolments().find(row.key))
                        entry.data = old->data;
                state.enrolments().put(row.key, entry);
            }
            say(QStringLiteral("imported %1 enrolments").arg(rows.size()));
        }
        if (p.isSet("generate")) {
            const auto n = static_cast<std::uint32_t>(number(p, "generate", 0, RecordFile::kMaxRecords));
            for (std::uint32_t done = 0; done < n;) {
                const std::uint32_t chunk = std::min<std::uint32_t>(n - done, 100'000);
                state.records().append(generateRecords(state.records().count(), chunk));
                done += chunk;
            }
            say(QStringLiteral("generated %1 records").arg(n));
        }

        if (!p.isSet("listen") && !p.isSet("serial"))
            return 0;

        Faults faults;
        if (p.isSet("drop-after"))
            faults.dropAfter = static_cast<std::uint64_t>(number(p, "drop-after", 0, INT32_MAX));
        if (p.isSet("stall-after"))
            faults.stallAfter = static_cast<std::uint64_t>(number(p, "stall-after", 0, INT32_MAX));
        if (p.isSet("slow"))
            faults.slowMs = static_cast<int>(number(p, "slow", 0, 600'000));
        faults.refuse = p.isSet("refuse");
        faults.loseConfirmation = p.isSet("lose-confirmation");
        faults.holdConfirmation = p.isSet("hold-confirmation");
        for (const QString& value : p.values("fail")) {
            const qsizetype colon = value.indexOf(':');
            const QString name = colon < 0 ? value : value.left(colon);
            const std::optional<protocol::Op> op = operationNamed(name.toStdString());
            if (!op)
                throw Error(QStringLiteral("--fail: no operation named \"%1\"").arg(name));
            std::uint64_t done = 0;
            if (colon >= 0) {
                bool ok = false;
                done = value.mid(colon + 1).toULongLong(&ok);
                if (!ok || done > INT32_MAX)
                    throw Error(QStringLiteral("--fail: \"%1\" is no count of requests").arg(value.mid(colon + 1)));
            }
            faults.failing[*op] = done;
        }

        std::function<void(const QString&)> log;
        if (p.isSet("verbose"))
            log = [](const QString& text) {
                std::fprintf(stderr, "terminal: %s\n", text.toLocal8Bit().constData());
            };
        TerminalService service(state, faults, log);

        QTcpServer server;
        if (p.isSet("listen")) {
            const QString where = p.value("listen");
            const qsizetype colon = where.lastIndexOf(':');
            if (colon < 0)
                usageError(QStringLiteral("--listen wants HOST:PORT, not \"%1\".").arg(where));
            QString host = where.left(colon);
            if (host.startsWith('[') && host.endsWith(']'))
                host = host.mid(1, host.size() - 2);
            bool ok = false;
            const uint port = where.mid(colon + 1).toUInt(&ok);
            if (!ok || port > 65535)
                usageError(QStringLiteral("Bad port in \"%1\".").arg(where));
            QHostAddress address;
            if (host.isEmpty())
                address = QHostAddress::Any;
            else if (host == "localhost")
                address = QHostAddress::LocalHost;
            else if (!address.setAddress(host))
                usageError(QStringLiteral("\"%1\" is not an IP address.").arg(host));
            if (!server.listen(address, static_cast<quint16>(port)))
                throw Error(QStringLiteral("Cannot listen on %1: %2").arg(where, server.errorString()));
            QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
                while (QTcpSocket* socket = server.nextPendingConnection())
                    new TcpLink(service, socket, faults.slowMs, &server);
            });
            const QString shown = server.serverAddress().protocol() == QAbstractSocket::IPv6Protocol
                                      ? QStringLiteral("[%1]").arg(server.serverAddress().toString())
                                      : server.serverAddress().toString();
            say(QStringLiteral("listening on %1:%2").arg(shown).arg(server.serverPort()));
        }

        std::unique_ptr<SerialLine> serial;
        if (p.isSet("serial")) {
            const int baud = static_cast<int>(number(p, "baud", 1, 4'000'000));
            serial = std::make_unique<SerialLine>(service, baud, faults.slowMs, p.value("serial"), nullptr);
            say(QStringLiteral("serial line %1 at %2").arg(serial->devicePath(), p.value("serial")));
        }

        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
            throw Error(QStringLiteral("Cannot set up signal handling."));
        QSocketNotifier stop(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(&stop, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
        std::signal(SIGPIPE, SIG_IGN);

        say(QStringLiteral("ready"));
        return app.exec();
    } catch (const Error& e) {
        std::fprintf(stderr, "terminal-emulator: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
