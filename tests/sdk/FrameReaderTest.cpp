#include "sdk/protocol/Crc32.h"
#include "sdk/protocol/Frame.h"
#include "sdk/protocol/FrameReader.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <string_view>

namespace tavlo::protocol {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes frameBytes(std::uint8_t kind, std::uint16_t seq, Bytes payload)
{
    return encodeFrame(Frame{kind, seq, std::move(payload)});
}

TEST(Crc32, MatchesTheStandardCheckValue)
{
    constexpr std::string_view text = "123456789";
    const Bytes bytes(text.begin(), text.end());
    EXPECT_EQ(crc32(bytes), 0xCBF43926u);
    // Continuing over two pieces gives the checksum of the whole.
    EXPECT_EQ(crc32(std::span(bytes).subspan(4), crc32(std::span(bytes).first(4))), 0xCBF43926u);
}

// The checksum bit by bit, as the polynomial defines it.
std::uint32_t bitwiseCrc32(const Bytes& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

TEST(Crc32, AgreesWithTheBitwiseDefinitionForEveryLengthAndSplit)
{
    Bytes bytes;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 100; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(static_cast<std::uint8_t>(seed >> 16));
    }
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        const Bytes piece(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(crc32(piece), bitwiseCrc32(piece)) << "length " << length;
        const std::size_t split = length / 3;
        EXPECT_EQ(crc32(std::span(piece).subspan(split), crc32(std::span(piece).first(split))),
                  bitwiseCrc32(piece))
            << "length " << length << " split " << split;
    }
}

TEST(FrameReader, ReadsAFrameFedByteByByte)
{
    const Bytes bytes = frameBytes(7, 0xBEEF, {1, 2, 3});
    FrameReader reader(FrameReader::Mode::Strict);
    Frame frame;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        ASSERT_EQ(reader.feed(std::span(&bytes[i], 1)), 1u);
        ASSERT_EQ(reader.next(frame), FrameReader::Result::NeedMore) << "after byte " << i;
    }
    reader.feed(std::span(&bytes.back(), 1));
    ASSERT_EQ(reader.next(frame), FrameReader::Result::Frame);
    EXPECT_EQ(frame.kind, 7);
    EXPECT_EQ(frame.sequence, 0xBEEF);
    EXPECT_EQ(frame.payload, (Bytes{1, 2, 3}));
    EXPECT_EQ(reader.next(frame), FrameReader::Result::NeedMore);
}

TEST(FrameReader, ReadsFramesThatArriveTogether)
{
    Bytes bytes = frameBytes(1, 1, {});
    const Bytes second = frameBytes(2, 2, Bytes(kMaxPayload, 0xAB));
    bytes.insert(bytes.end(), second.begin(), second.end());
    FrameReader reader(FrameReader::Mode::Strict);
    const std::size_t taken = reader.feed(bytes);
    ASSERT_EQ(taken, kMaxFrameSize);
    Frame frame;
    ASSERT_EQ(reader.next(frame), FrameReader::Result::Frame);
    EXPECT_EQ(frame.kind, 1);
    EXPECT_TRUE(frame.payload.empty());
    ASSERT_EQ(reader.next(frame), FrameReader::Result::NeedMore);
    reader.feed(std::span(bytes).subspan(taken));
    ASSERT_EQ(reader.next(frame), FrameReader::Result::Frame);
    EXPECT_EQ(frame.kind, 2);
    EXPECT_EQ(frame.payload.size(), kMaxPayload);
}

TEST(FrameReader, NeverHoldsMoreThanOneFrame)
{
    const Bytes flood(3 * kMaxFrameSize, 'S');
    FrameReader reader(FrameReader::Mode::Resync);
    EXPECT_EQ(reader.feed(flood), kMaxFrameSize);
    EXPECT_EQ(reader.feed(flood), 0u);
}

struct DamageCase {
    const char* name;
    std::size_t offset;  // byte to change in a frame with a 4-byte payload
    std::uint8_t flip;  // bits to invert
    FrameReader::Fault fault;
    friend void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }
};

class DamagedFrame : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFrame, BreaksAStrictStreamForGood)
{
    Bytes bytes = frameBytes(3, 9, {10, 20, 30, 40});
    bytes[GetParam().offset] ^= GetParam().flip;
    FrameReader reader(FrameReader::Mode::Strict);
    reader.feed(bytes);
    Frame frame;
    EXPECT_EQ(reader.next(frame), FrameReader::Result::Broken);
    EXPECT_EQ(reader.lastFault(), GetParam().fault);
    // A good frame after the damage is not taken either.
    const Bytes good = frameBytes(3, 10, {});
    reader.feed(good);
    EXPECT_EQ(reader.next(frame), FrameReader::Result::Broken);
}

TEST_P(DamagedFrame, IsSkippedOnASerialLine)
{
    Bytes bytes = frameBytes(3, 9, {10, 20, 30, 40});
    bytes[GetParam().offset] ^= GetParam().flip;
    const Bytes good = frameBytes(4, 10, {5});
    bytes.insert(bytes.end(), good.begin(), good.end());
    FrameReader reader(FrameReader::Mode::Resync);
    reader.feed(bytes);
    Frame frame;
    ASSERT_EQ(reader.next(frame), FrameReader::Result::Frame);
    EXPECT_EQ(frame.kind, 4);
    EXPECT_EQ(frame.sequence, 10);
    EXPECT_EQ(reader.lastFault(), GetParam().fault);
    EXPECT_GT(reader.skippedBytes(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFrame,
    testing::Values(DamageCase{"FirstMagicByte", 0, 0x01, FrameReader::Fault::BadMagic},
                    DamageCase{"SecondMagicByte", 1, 0x01, FrameReader::Fault::BadMagic},
                    DamageCase{"Version", 2, 0x03, FrameReader::Fault::BadVersion},
                    DamageCase{"Kind", 3, 0x07, FrameReader::Fault::BadChecksum},
                    DamageCase{"Payload", 12, 0xFF, FrameReader::Fault::BadChecksum},
                    DamageCase{"Checksum", 15, 0xFF, FrameReader::Fault::BadChecksum},
                    DamageCase{"HugeLength", 9, 0x7F, FrameReader::Fault::Oversized}),
    tavlo::test::CaseName{});

TEST(FrameReader, RefusesAnOversizedLengthBeforeItsBodyArrives)
{
    Bytes header = frameBytes(1, 1, {});
    header.resize(kHeaderSize);
    const std::uint32_t tooLong = kMaxPayload + 1;
    for (int i = 0; i < 4; ++i)
        header[6 + i] = static_cast<std::uint8_t>(tooLong >> (8 * i));
    FrameReader reader(FrameReader::Mode::Strict);
    reader.feed(header);
    Frame frame;
    EXPECT_EQ(reader.next(frame), FrameReader::Result::Broken);
    EXPECT_EQ(reader.lastFault(), FrameReader::Fault::Oversized);
}

TEST(FrameReader, WaitsForTheRestOfATruncatedFrame)
{
    const Bytes bytes = frameBytes(5, 5, Bytes(100, 1));
    FrameReader reader(FrameReader::Mode::Strict);
    reader.feed(std::span(bytes).first(bytes.size() - 1));
    Frame frame;
    EXPECT_EQ(reader.next(frame), FrameReader::Result::NeedMore);
    EXPECT_EQ(reader.lastFault(), FrameReader::Fault::None);
}

}  // namespace
}  // namespace tavlo::protocol
