#include "platform/Cp1254.h"

#include <array>
#include <unordered_map>

namespace tavlo::cp1254 {
namespace {

// Code points of the bytes 0x80 to 0xFF. The five bytes the code page leaves
// unassigned map to the C1 control of the same value, as Windows does, so
// every byte survives a decode and encode unchanged.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x011E, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x0130, 0x015E, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x011F, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0131, 0x015F, 0x00FF,
};

const std::unordered_map<char16_t, char>& reverseTable()
{
    static const auto table = [] {
        std::unordered_map<char16_t, char> map;
        for (std::size_t i = 0; i < kHighHalf.size(); ++i)
            map.emplace(kHighHalf[i], static_cast<char>(0x80 + i));
        return map;
    }();
    return table;
}

}  // namespace

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    const auto& reverse = reverseTable();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80) {
            out.append(static_cast<char>(unit));
        } else if (const auto it = reverse.find(unit); it != reverse.end()) {
            out.append(it->second);
        } else {
            // A surrogate pair is one character and becomes one '?'.
            if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
                && text.at(i + 1).isLowSurrogate())
                ++i;
            out.append('?');
        }
    }
    return out;
}

QString decode(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* data = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        data[i] = byte < 0x80 ? QChar(byte) : QChar(kHighHalf[byte - 0x80]);
    }
    return out;
}

QString representable(const QString& text)
{
    return decode(encode(text));
}

}  // namespace tavlo::cp1254
