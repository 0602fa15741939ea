#include "sdk/include/sbxpc/GenFont.h"

#include <string>

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one well-formed UTF-8 sequence at text[i]; returns its length, or 0
// when the bytes there are not one (overlong forms and surrogates included).
size_t decodeUtf8(const unsigned char* text, size_t length, size_t i, char32_t& c)
{
    const unsigned char b = text[i];
    size_t n;
    char32_t min;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > length)
        return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((text[i + k] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (text[i + k] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return n;
}

template <class Unit>
size_t deliver(const std::basic_string<Unit>& text, Unit* out, size_t capacity)
{
    if (out && capacity > 0) {
        const size_t n = text.size() < capacity ? text.size() : capacity - 1;
        text.copy(out, n);
        out[n] = 0;
    }
    return text.size();
}

}  // namespace

size_t gf_wide_to_wire(const uint16_t* text, size_t length, char* out, size_t capacity)
{
    std::string utf8;
    for (size_t i = 0; text && i < length; ++i) {
        const char32_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00
            && text[i + 1] <= 0xDFFF) {
            appendUtf8(utf8, 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            utf8 += '?';
        } else {
            appendUtf8(utf8, u);
        }
    }
    return deliver(utf8, out, capacity);
}

size_t gf_wire_to_wide(const char* text, size_t length, uint16_t* out, size_t capacity)
{
    std::basic_string<uint16_t> wide;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; text && i < length;) {
        char32_t c = 0;
        const size_t n = decodeUtf8(bytes, length, i, c);
        if (n == 0) {
            wide += static_cast<uint16_t>(0xFFFD);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            wide += static_cast<uint16_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<uint16_t>(c);
        }
        i += n;
    }
    return deliver(wide, out, capacity);
}

int gf_wire_is_valid(const char* text, size_t length)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < length;) {
        char32_t c = 0;
        const size_t n = decodeUtf8(bytes, length, i, c);
        if (n == 0 || c == 0)
            return 0;
        i += n;
    }
    return 1;
}
