#include "settings/ProfileFile.h"
#include "settings/ProfileText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return result;
}

// Written independently of the reader so that a shared mistake cannot hide itself.
std::string expectedReadBack(std::string_view value)
{
    value = trimmed(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// One name or value, drawn from a number: a name the clock uses, a slice of the
// file, or a word of the file as it stands or lower-cased, so writes often hit
// existing sections and keys, in other spellings too.
std::string resolve(std::uint32_t draw, std::string_view content)
{
    static constexpr std::array<std::string_view, 10> known = {
        "Line", "line", "BG", "Clock", "Border", "window", "", " \"Large\" ", "'x", "/home/u/sky.png"};
    const std::size_t offset = draw >> 8 & 0xFFFF;
    const std::string_view rest = content.substr(content.empty() ? 0 : offset % content.size());
    if (draw % 4 == 0)
        return std::string(known[offset % known.size()]);
    if (draw % 4 == 1)
        return std::string(rest.substr(0, draw >> 24 & 31));
    const std::string_view word = trimmed(rest.substr(0, rest.find_first_of(std::string_view("[]=;\r\n\0", 7))));
    return draw % 4 == 3 ? lower(word) : std::string(word);
}

// Whatever bytes the writer removed from the old content must lie inside one line.
bool changeStaysOnOneLine(std::string_view before, std::string_view after)
{
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return before.substr(prefix, before.size() - prefix - suffix).find_first_of("\r\n") == std::string_view::npos;
}

// In a private folder that long runs do not leave behind.
const std::string& scratchFile()
{
    static std::string directory;
    static const std::string path = [] {
        const char* base = std::getenv("TMPDIR");
        directory = std::string(base && *base ? base : "/tmp") + "/fuzz_profile.XXXXXX";
        check(::mkdtemp(directory.data()) != nullptr);
        // Not through path, which is destroyed before this runs.
        std::atexit([] {
            ::unlink((directory + "/setting.ini").c_str());
            ::rmdir(directory.c_str());
        });
        return directory + "/setting.ini";
    }();
    return path;
}

void storeFile(const std::string& content)
{
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    check(!out.fail());
}

std::string loadFile()
{
    std::ifstream in(scratchFile(), std::ios::binary);
    check(in.is_open());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string readThroughFile(const std::string& section, const std::string& key, std::size_t size)
{
    std::string buffer(size + 1, '\x7f');
    const std::size_t count = ProfileFile::GetPrivateProfileString(section, key, "", buffer.data(), size, scratchFile());
    check(size == 0 ? count == 0 : count < size && buffer[count] == '\0');
    check(buffer[size] == '\x7f');
    return buffer.substr(0, count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    // The draws come from the end of the input, so the rest of it, the file itself,
    // stays a readable .ini file for the seeds.
    FuzzedDataProvider data(bytes, size);
    std::array<std::uint32_t, 5> draws{};
    for (std::uint32_t& draw : draws)
        draw = data.ConsumeIntegral<std::uint32_t>();
    const std::size_t bufferSize = data.ConsumeIntegralInRange<std::size_t>(0, 40);
    const std::string content = data.ConsumeRemainingBytesAsString();
    const std::string section = resolve(draws[0], content);
    const std::string key = resolve(draws[1], content);
    const std::string value = resolve(draws[2], content);
    const std::string otherSection = resolve(draws[3], content);
    const std::string otherKey = resolve(draws[4], content);
    const auto cut = [bufferSize](const std::string& text) { return text.substr(0, bufferSize ? bufferSize - 1 : 0); };

    const std::optional<std::string> otherBefore = ProfileText::find(content, otherSection, otherKey);
    const std::string written = ProfileText::write(content, section, key, value);
    const bool writable = ProfileText::canWrite(section, key, value);
    check(writable || written == content);
    if (writable) {
        check(ProfileText::find(written, section, key) == expectedReadBack(value));
        check(changeStaysOnOneLine(content, written));
        if (lower(section) != lower(otherSection) || lower(key) != lower(otherKey))
            check(ProfileText::find(written, otherSection, otherKey) == otherBefore);
    }

    storeFile(content);
    check(readThroughFile(otherSection, otherKey, bufferSize) == cut(otherBefore.value_or("")));
    check(ProfileFile::WritePrivateProfileString(section, key, value, scratchFile()) == writable);
    check(loadFile() == written);
    if (writable)
        check(readThroughFile(section, key, bufferSize) == cut(expectedReadBack(value)));
    return 0;
}
