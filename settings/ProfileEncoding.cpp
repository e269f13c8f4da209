#include "settings/ProfileEncoding.h"

#include <cstddef>
#include <utility>

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t c)
{
    const auto continuation = [&](int shift) { out += static_cast<char>(0x80 | ((c >> shift) & 0x3F)); };
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        continuation(0);
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        continuation(6);
        continuation(0);
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        continuation(12);
        continuation(6);
        continuation(0);
    }
}

void appendUnit(std::string& out, char32_t unit, bool bigEndian)
{
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::string text;
    text.reserve(bytes.size() / 2 * 3);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unitAt(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        // A surrogate outside a pair is no character, and UTF-8 has no way to carry it.
        if (isSurrogate(c))
            c = Replacement;
        appendUtf8(text, c);
    }
    return text;
}

// The character starting at `at`, which moves past it. Only the caller's section,
// key and value can be malformed (the rest was decoded here); each byte that
// starts no character becomes U+FFFD, so a stray byte costs one character and
// never the write.
char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000}; // anything less is an overlong form
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byteAt(at++);
    if (lead < 0x80)
        return lead;
    std::size_t following = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        following = 1;
    else if (lead >= 0xE0 && lead <= 0xEF)
        following = 2;
    else if (lead >= 0xF0 && lead <= 0xF4)
        following = 3;
    else
        return Replacement;
    char32_t c = lead & (0x3F >> following);
    for (std::size_t i = at; i < at + following; ++i) {
        if (i >= text.size() || (byteAt(i) & 0xC0) != 0x80)
            return Replacement;
        c = c << 6 | (byteAt(i) & 0x3F);
    }
    if (c < Smallest[following] || c > 0x10FFFF || isSurrogate(c))
        return Replacement;
    at += following;
    return c;
}

std::string utf8ToUtf16(std::string_view text, bool bigEndian)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = nextCharacter(text, at);
        if (c >= 0x10000) {
            appendUnit(bytes, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
            appendUnit(bytes, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
        } else {
            appendUnit(bytes, c, bigEndian);
        }
    }
    return bytes;
}

} // namespace

ProfileEncoding::ProfileEncoding(std::string fileBytes)
{
    const std::string_view mark = std::string_view(fileBytes).substr(0, 2);
    if (mark == "\xFF\xFE")
        m_form = Form::Utf16Le;
    else if (mark == "\xFE\xFF")
        m_form = Form::Utf16Be;

    if (m_form == Form::Narrow) {
        m_text = std::move(fileBytes);
        return;
    }
    if (fileBytes.size() % 2 != 0)
        m_oddByte = fileBytes.substr(fileBytes.size() - 1);
    m_text = utf16ToUtf8(fileBytes, m_form == Form::Utf16Be);
}

std::string ProfileEncoding::encode(std::string_view text) const
{
    if (m_form == Form::Narrow)
        return std::string(text);
    return utf8ToUtf16(text, m_form == Form::Utf16Be) + m_oddByte;
}
