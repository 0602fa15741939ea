#include "bench/PeakMemory.h"

#include <QByteArray>
#include <QFile>

namespace tavlo::bench {
namespace {

qint64 statusValue(const QByteArray& key)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

}  // namespace

bool PeakMemory::reset()
{
    QFile clear("/proc/self/clear_refs");
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

qint64 PeakMemory::peakKiB()
{
    return statusValue("VmHWM");
}

qint64 PeakMemory::residentKiB()
{
    return statusValue("VmRSS");
}

}  // namespace tavlo::bench
