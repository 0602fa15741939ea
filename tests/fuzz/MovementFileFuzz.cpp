// The movement file as an operator's editor, a crash or a full disk may
// leave it, prepared for a run as the run prepares it: one streaming scan
// for its line breaks, and a rewrite when any break is not CR LF. Whatever
// the bytes, the file afterwards holds them with every line break made CR
// LF and nothing else changed, and the scan says whether it ends with a
// break. An input whose first byte has its low six bits clear is put behind
// a megabyte of text, so that its bytes meet the boundary between the scan's
// pieces.

#include "platform/Error.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ScratchFolder.h"
#include "transfer/MovementFile.h"

#include <string_view>

using namespace tavlo;

namespace {

constexpr qsizetype kPiece = 1 << 20;

// Every lone CR and lone LF becomes CR LF, written here byte by byte.
QByteArray withCrLf(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    // Up to three bytes of the input end the first piece.
    const QByteArray before((data[0] & 0x3F) == 0 ? kPiece - (data[0] >> 6) : 0, 'x');
    const QByteArray content = before + input;
    const QString path = fuzz::writeScratchFile(QStringLiteral("Hareketler.txt"), content);
    MovementFile file(path);
    try {
        file.load();
    } catch (const Error&) {
        fuzzCheck(false, "a readable movement file is prepared");
    }
    const QByteArray expected = before + withCrLf(input);
    const QByteArray now = fuzz::readScratchFile(QStringLiteral("Hareketler.txt"));
    fuzzCheck(now == expected, "every break is CR LF and nothing else changed");
    fuzzCheck(file.size() == now.size(), "the size is the file's");
    const bool endsWithBreak = content.isEmpty() || content.back() == '\r' || content.back() == '\n';
    fuzzCheck(file.endsWithLineBreak() == endsWithBreak, "the scan knows how the file ends");
    return 0;
}

std::vector<std::vector<std::uint8_t>> fuzzSeeds()
{
    const auto bytes = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    return {
        bytes("\x01" "001,000123,1,2024/03/05,08:07:00,1\r\n001,000124,0,2024/03/05,17:30:00,1\r\n"),
        bytes("\x01" "001,000123,1,2024/03/05,08:07:00,1\n001,000124,0,2024/03/05,17:30:00,1"),
        bytes("\x02" "a\r\rb\n\nc\r\n\rd\n\r"),
        bytes(std::string_view("\x40" "\r\n", 3)),
    };
}
