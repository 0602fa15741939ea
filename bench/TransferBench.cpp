// transfer-bench: one whole transfer run of an emulated terminal over
// loopback TCP into a movement file that already holds many lines, timed
// beside the plain moves of the same bytes. See docs/PERFORMANCE.md.
//
//   transfer-bench [--records N] [--lines M] [--repeat R] [--folder DIR]
//
// N new records on the terminal (800000), M lines in the movement file
// before the run (5000000), each figure the median of R runs (3); the files
// go to a temporary folder in DIR (the system's temporary folder).

#include "bench/Floor.h"
#include "bench/PeakMemory.h"
#include "store/DataModul.h"
#include "terminal/TSBXPC.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/UserFolders.h"
#include "transfer/MovementLines.h"
#include "transfer/RecordRules.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferStatus.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tavlo::bench {
namespace {

using test::DriverSettings;
using test::EmulatorProcess;
using test::UserFolders;

// Bytes of one record on the wire: nine 32-bit values.
constexpr qint64 kWireRecordBytes = 9 * 4;

struct Options {
    quint32 records = 800'000;
    qint64 lines = 5'000'000;
    int repeat = 3;
    QString folder = QDir::tempPath();
};

struct Outcome {
    qint64 existingBytes = 0;
    qint64 writtenBytes = 0;  // to both files together
    qint64 linesWritten = 0;
    QString status;
    qint64 peakKiB = 0;
    qint64 residentBeforeKiB = 0;
    // Medians over the repetitions.
    double runSeconds = 0;
    double readAlone = 0;
    double buildLines = 0;
    double writeFloor = 0;
    double socketFloor = 0;
    double streamingRead = 0;

    double floor() const { return writeFloor + socketFloor; }
};

class QuietView final : public TransferView {
public:
    void processMessages() override {}
    void repaint() override {}
};

[[noreturn]] void fail(const QString& text)
{
    std::fprintf(stderr, "transfer-bench: %s\n", text.toLocal8Bit().constData());
    std::exit(1);
}

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (i + 1 >= argc)
            fail("missing value after " + QString::fromLatin1(arg));
        const QByteArray value = argv[++i];
        bool ok = false;
        if (arg == "--records")
            o.records = value.toUInt(&ok);
        else if (arg == "--lines")
            o.lines = value.toLongLong(&ok);
        else if (arg == "--repeat")
            ok = (o.repeat = value.toInt(&ok)) > 0;
        else if (arg == "--folder")
            ok = !(o.folder = QString::fromLocal8Bit(value)).isEmpty();
        if (!ok)
            fail("usage: transfer-bench [--records N] [--lines M] [--repeat R] [--folder DIR]");
    }
    return o;
}

// A movement file of `lines` lines of the program's own kind, each ended by
// CR LF, written in large pieces.
void writeExistingFile(const QString& path, qint64 lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail("cannot write " + path);
    QByteArray piece;
    for (qint64 i = 0; i < lines; ++i) {
        piece += QString::asprintf("%3.3d,%6.6d,1,2023/%2.2d/%2.2d,%2.2d:%2.2d:00,1\r\n", int(i % 7 + 1),
                                   int(i % 100000), int(i % 12 + 1), int(i % 28 + 1), int(i % 24),
                                   int(i % 60))
                     .toLatin1();
        if (piece.size() >= (1 << 20)) {
            file.write(piece);
            piece.clear();
        }
    }
    file.write(piece);
    if (!file.flush() || ::fsync(file.handle()) != 0)
        fail("cannot write " + path);
}

void cutBack(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.resize(size) || ::fsync(file.handle()) != 0)
        fail("cannot cut back " + path);
}

qint64 countLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    qint64 lines = 0;
    while (!file.atEnd())
        lines += file.read(1 << 20).count('\n');
    return lines;
}

qint64 sizeOf(const QString& path)
{
    return QFileInfo(path).size();
}

double secondsOf(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The terminal's new records read through the control and nothing else,
// then dropped, so that they stay new for the run.
double readAlone(quint16 port, quint32 records)
{
    TSBXPC control;
    QElapsedTimer timer;
    timer.start();
    if (!control.OpenTcpLink(1, "127.0.0.1", port, 0))
        fail("the emulated terminal does not link");
    control.SetReadMark(true);
    qint32 expected = 0;
    control.GetStatusValue(1, 6, expected);
    control.BeginLogRead(1);
    quint32 read = 0;
    qint32 v[10];
    while (control.NextLogRecord(1, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]))
        ++read;
    const double seconds = secondsOf(timer);
    control.DropLink();
    if (read != records || !control.LastLogReadComplete())
        fail(QStringLiteral("the bare read delivered %1 of %2 records").arg(read).arg(records));
    return seconds;
}

// The run's own work on the records, without terminal and files: the
// movement lines of `records` records of the emulator's kind.
double buildLines(quint32 records)
{
    QElapsedTimer timer;
    timer.start();
    MovementLines lines;
    for (quint32 i = 0; i < records; ++i) {
        const LogRecord r{qint32(i % 500 + 1), qint32(i / 500 % 2), 2024 + qint32(i / 75000), qint32(i % 12 + 1),
                          qint32(i % 28 + 1), qint32(i % 24), qint32(i % 60), qint32(i % 60)};
        const EntryExit kind = decideEntryExit(0, r.mode);
        if (isValidRecordTime(r))
            lines.add(MovementRecord{1, r.user, kind.exit ? "0" : "1", r.year, r.month, r.day, r.hour,
                                     r.minute, kind.mode});
    }
    const double seconds = secondsOf(timer);
    if (lines.count() != qsizetype(records))
        fail("the lines were not all built");
    return seconds;
}

Outcome measure(const Options& options, qint64 existingLines)
{
    QTemporaryDir app(options.folder + "/transfer-bench-XXXXXX");
    QTemporaryDir terminalState(options.folder + "/transfer-bench-terminal-XXXXXX");
    if (!app.isValid() || !terminalState.isValid())
        fail("cannot make a folder in " + options.folder);
    const QString movement = app.filePath("Hareketler.txt");
    const QDate today(2024, 3, 5);
    const QString backup = app.filePath("Backup/2024-03-05.txt");
    writeExistingFile(movement, existingLines);

    const QStringList generate{"--state", terminalState.path(), "--machine", "1", "--password", "0",
                               "--clear-records", "--generate", QString::number(options.records)};
    EmulatorProcess::runOnce(generate);
    EmulatorProcess::Options serve;
    serve.stateFolder = terminalState.path();
    serve.machine = 1;
    EmulatorProcess terminal(serve);

    TDataModul data;
    Table& t = data.CihazTable;
    t.open();
    t.append();
    t.setInteger("CihazNo", 1);
    t.setString("CihazAdi", "Bench");
    t.setInteger("MakineNo", 1);
    t.setInteger("BaglantiTipi", 1);
    t.setString("IPAdres", "127.0.0.1");
    t.setString("Parola", "0");
    t.setInteger("Port", terminal.port());
    t.setInteger("Isaret", 1);
    t.setInteger("GCTip", 0);
    t.post();

    TransferSettings settings;
    settings.applicationDirectory = app.path() + '/';
    settings.movementFilePath = movement;
    settings.entryCode = "1";
    settings.exitCode = "0";
    settings.today = today;
    QuietView view;

    Outcome o;
    o.existingBytes = sizeOf(movement);
    std::vector<double> runs, reads, builds, writes, sockets, streams;
    for (int repetition = 0; repetition < options.repeat; ++repetition) {
        if (repetition > 0) {
            // The same start again: the file as it was, no backup file, a
            // terminal whose records are all new.
            cutBack(movement, o.existingBytes);
            QFile::remove(backup);
            terminal.stop();
            EmulatorProcess::runOnce(generate);
            terminal.restart({});
            t.first();
            t.edit();
            t.setInteger("Port", terminal.port());
            t.post();
        }
        reads.push_back(readAlone(terminal.port(), options.records));
        builds.push_back(buildLines(options.records));

        TSBXPC control;
        ::sync();
        if (!PeakMemory::reset())
            std::fprintf(stderr, "transfer-bench: the peak memory counts from the start of the process\n");
        o.residentBeforeKiB = std::max(o.residentBeforeKiB, PeakMemory::residentKiB());
        QElapsedTimer timer;
        timer.start();
        TransferRun(t, control, settings, view).run();
        runs.push_back(secondsOf(timer));
        o.peakKiB = std::max(o.peakKiB, PeakMemory::peakKiB());

        t.first();
        o.status = t.asString("Aciklama");
        o.writtenBytes = sizeOf(movement) - o.existingBytes + sizeOf(backup);
        o.linesWritten = countLines(backup);
        if (o.status != QString::fromUtf8(TransferStatus::kCompleted) || o.linesWritten != options.records)
            break;

        writes.push_back(Floor::writeFiles(app.path(), o.writtenBytes, 2));
        sockets.push_back(Floor::loopback(qint64(options.records) * kWireRecordBytes));
        streams.push_back(existingLines > 0 ? Floor::readFile(movement) : 0.0);
    }
    if (writes.empty())
        return o;
    o.runSeconds = median(runs);
    o.readAlone = median(reads);
    o.buildLines = median(builds);
    o.writeFloor = median(writes);
    o.socketFloor = median(sockets);
    o.streamingRead = median(streams);
    return o;
}

QString megabytes(qint64 bytes)
{
    return QString::number(static_cast<double>(bytes) / 1e6, 'f', 1) + " MB";
}

void row(const char* label, const QString& a, const QString& b)
{
    std::printf("  %-44s %16s %16s\n", label, a.toLocal8Bit().constData(), b.toLocal8Bit().constData());
}

QString secondsText(double s)
{
    return QString::number(s, 'f', 3) + " s";
}

QString cpuName()
{
    QFile info("/proc/cpuinfo");
    if (info.open(QIODevice::ReadOnly | QIODevice::Text))
        for (QByteArray line = info.readLine(); !line.isEmpty(); line = info.readLine())
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
    return "unknown CPU";
}

}  // namespace
}  // namespace tavlo::bench

int main(int argc, char** argv)
{
    using namespace tavlo;
    using namespace tavlo::bench;
    const Options options = parse(argc, argv);

    // The driver files and the emulator are built beside this program.
    if (qEnvironmentVariableIsEmpty("TAVLO_BIN_DIR"))
        qputenv("TAVLO_BIN_DIR", QFile::encodeName(QString::fromStdString(
                                     std::filesystem::read_symlink("/proc/self/exe").parent_path().string())));
    try {
        UserFolders user;
        user.registerControl();
        DriverSettings driver(5000, 10000);

        std::printf("transfer-bench: %u new records over loopback TCP, %s build, medians of %d runs\n",
                    options.records, TAVLO_BUILD_TYPE, options.repeat);
        std::printf("machine: %s, %u CPUs, %s %s; files in %s\n\n", cpuName().toLocal8Bit().constData(),
                    std::thread::hardware_concurrency(), QSysInfo::kernelType().toLocal8Bit().constData(),
                    QSysInfo::kernelVersion().toLocal8Bit().constData(), options.folder.toLocal8Bit().constData());

        const Outcome empty = measure(options, 0);
        const Outcome full = measure(options, options.lines);

        std::printf("  %-44s %16s %16s\n", "movement file before the run", "empty",
                    (QString::number(options.lines) + " lines").toLocal8Bit().constData());
        row("its size", megabytes(empty.existingBytes), megabytes(full.existingBytes));
        row("outcome", empty.status, full.status);
        row("lines written (backup file)", QString::number(empty.linesWritten), QString::number(full.linesWritten));
        row("run, wall time (median)", secondsText(empty.runSeconds), secondsText(full.runSeconds));
        row("records per second", QString::number(qRound64(options.records / empty.runSeconds)),
            QString::number(qRound64(options.records / full.runSeconds)));
        row("peak memory of the run (VmHWM)", QString::number(empty.peakKiB / 1024.0, 'f', 1) + " MiB",
            QString::number(full.peakKiB / 1024.0, 'f', 1) + " MiB");
        row("  of which resident before the run", QString::number(empty.residentBeforeKiB / 1024.0, 'f', 1) + " MiB",
            QString::number(full.residentBeforeKiB / 1024.0, 'f', 1) + " MiB");
        row("floor: output bytes to 2 files, synced", secondsText(empty.writeFloor), secondsText(full.writeFloor));
        row("floor: record bytes over loopback TCP", secondsText(empty.socketFloor), secondsText(full.socketFloor));
        row("floor, together", secondsText(empty.floor()), secondsText(full.floor()));
        row("run / floor", QString::number(empty.runSeconds / empty.floor(), 'f', 2),
            QString::number(full.runSeconds / full.floor(), 'f', 2));
        row("one streaming read of the movement file", "-", secondsText(full.streamingRead));
        row("parts: read through the control alone", secondsText(empty.readAlone), secondsText(full.readAlone));
        row("parts: building the movement lines alone", secondsText(empty.buildLines), secondsText(full.buildLines));
        const double growth = full.runSeconds - empty.runSeconds;
        row("run's growth over the empty file", "-", secondsText(growth));

        const bool completed = empty.status == QString::fromUtf8(TransferStatus::kCompleted)
                            && full.status == QString::fromUtf8(TransferStatus::kCompleted)
                            && empty.linesWritten == options.records && full.linesWritten == options.records;
        const bool fast = empty.runSeconds <= 3 * empty.floor();
        // Twice the read and 50 ms for the noise of two separate runs.
        const bool flat = growth <= 2 * full.streamingRead + 0.05;
        const bool small = std::max(empty.peakKiB, full.peakKiB) < 64 * 1024;
        std::printf("\ntargets:\n");
        std::printf("  every record written once, run completed           %s\n", completed ? "met" : "MISSED");
        std::printf("  run within 3x the floor                             %s\n", fast ? "met" : "MISSED");
        std::printf("  growth with the file's size within a streaming read %s\n", flat ? "met" : "MISSED");
        std::printf("  peak memory under 64 MiB                            %s\n", small ? "met" : "MISSED");
        return completed && fast && flat && small ? 0 : 1;
    } catch (const std::exception& e) {
        fail(QString::fromUtf8(e.what()));
    }
}
