#include "emulator/RecordFile.h"

#include "platform/Error.h"
#include "sdk/protocol/WireReader.h"
#include "sdk/protocol/WireWriter.h"

#include <algorithm>

namespace tavlo::emulator {

namespace {

const QByteArray kHeader("SXLOG\0\0\1", 8);
constexpr qint64 kRecordSize = 36;

void put(protocol::WireWriter& w, const protocol::LogRecord& r)
{
    for (std::int32_t v : {r.user, r.verify, r.mode, r.time.year, r.time.month, r.time.day,
                           r.time.hour, r.time.minute, r.time.second})
        w.i32(v);
}

protocol::LogRecord get(protocol::WireReader& r)
{
    protocol::LogRecord rec;
    rec.user = r.i32();
    rec.verify = r.i32();
    rec.mode = r.i32();
    rec.time.year = r.i32();
    rec.time.month = r.i32();
    rec.time.day = r.i32();
    rec.time.hour = r.i32();
    rec.time.minute = r.i32();
    rec.time.second = r.i32();
    return rec;
}

}  // namespace

RecordFile::RecordFile(const QString& path) : path_(path), file_(path)
{
    open();
}

void RecordFile::open()
{
    if (!file_.open(QIODevice::ReadWrite))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path_, file_.errorString()));
    if (file_.size() < kHeader.size()) {
        file_.resize(0);
        file_.write(kHeader);
        file_.flush();
    } else if (file_.read(kHeader.size()) != kHeader) {
        throw Error(QStringLiteral("\"%1\" is not an attendance log file.").arg(path_));
    }
    const qint64 whole = (file_.size() - kHeader.size()) / kRecordSize;
    count_ = static_cast<std::uint32_t>(std::min<qint64>(whole, kMaxRecords));
    file_.resize(kHeader.size() + count_ * kRecordSize);
}

std::vector<protocol::LogRecord> RecordFile::read(std::uint32_t first, std::uint32_t n)
{
    if (first >= count_)
        return {};
    n = std::min(n, count_ - first);
    file_.seek(kHeader.size() + qint64(first) * kRecordSize);
    const QByteArray bytes = file_.read(qint64(n) * kRecordSize);
    protocol::WireReader r(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                     static_cast<std::size_t>(bytes.size())));
    std::vector<protocol::LogRecord> records;
    records.reserve(n);
    while (r.remaining() >= kRecordSize)
        records.push_back(get(r));
    return records;
}

void RecordFile::append(const std::vector<protocol::LogRecord>& records)
{
    if (records.size() > kMaxRecords - count_)
        throw Error(QStringLiteral("The attendance log holds at most %1 records.").arg(kMaxRecords));
    protocol::WireWriter w;
    for (const auto& rec : records)
        put(w, rec);
    const std::vector<std::uint8_t> bytes = w.take();
    file_.seek(kHeader.size() + qint64(count_) * kRecordSize);
    const qint64 written = file_.write(reinterpret_cast<const char*>(bytes.data()),
                                       static_cast<qint64>(bytes.size()));
    if (written != static_cast<qint64>(bytes.size()) || !file_.flush())
        throw Error(QStringLiteral("Cannot write file \"%1\". %2").arg(path_, file_.errorString()));
    count_ += static_cast<std::uint32_t>(records.size());
}

void RecordFile::clear()
{
    if (!file_.resize(kHeader.size()))
        throw Error(QStringLiteral("Cannot write file \"%1\". %2").arg(path_, file_.errorString()));
    count_ = 0;
}

}  // namespace tavlo::emulator
