#include "settings/ProfileFile.h"
#include "settings/ProfileText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// Written independently of the reader so that a shared mistake cannot hide itself.
std::string expectedReadBack(std::string_view value)
{
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// How one name or value is drawn. Draws are taken from the end of the input so that
// the rest of it, the file itself, stays a readable .ini file for the seeds.
struct Draw {
    std::uint8_t kind = 0;
    std::uint16_t offset = 0;
    std::uint8_t length = 0;
};

Draw consumeDraw(FuzzedDataProvider& data)
{
    Draw draw;
    draw.kind = data.ConsumeIntegral<std::uint8_t>();
    draw.offset = data.ConsumeIntegral<std::uint16_t>();
    draw.length = data.ConsumeIntegral<std::uint8_t>();
    return draw;
}

// Mostly names and values that occur in the file, so writes often hit existing
// sections and keys, in other spellings too.
std::string resolve(const Draw& draw, std::string_view content)
{
    static constexpr std::array<std::string_view, 10> known = {
        "Line", "line", "BG", "Clock", "Border", "window", "", " \"Large\" ", "'x", "/home/u/sky.png"};
    const std::size_t start = content.empty() ? 0 : draw.offset % content.size();
    const std::string_view rest = content.substr(start);
    switch (draw.kind % 3) {
    case 0:
        return std::string(known[draw.offset % known.size()]);
    case 1:
        return std::string(rest.substr(0, draw.length % 24));
    default: {
        std::string word(rest.substr(0, rest.find_first_of(std::string_view("[]=;\r\n\0", 7))));
        while (!word.empty() && (word.front() == ' ' || word.front() == '\t'))
            word.erase(0, 1);
        while (!word.empty() && (word.back() == ' ' || word.back() == '\t'))
            word.pop_back();
        if (draw.length & 1) {
            for (char& c : word)
                c = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        }
        return word;
    }
    }
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
    const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
    return removed.find_first_of("\r\n") == std::string_view::npos;
}

std::string& scratchDirectory()
{
    static std::string directory;
    return directory;
}

// Long runs must not leave their scratch folder behind.
void removeScratch()
{
    ::unlink((scratchDirectory() + "/setting.ini").c_str());
    ::rmdir(scratchDirectory().c_str());
}

const std::string& scratchFile()
{
    static const std::string path = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/fuzz_profile.XXXXXX";
        check(::mkdtemp(pattern.data()) != nullptr);
        scratchDirectory() = pattern;
        std::atexit(removeScratch);
        return pattern + "/setting.ini";
    }();
    return path;
}

void storeFile(const std::string& path, const std::string& content)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    check(file != nullptr);
    check(std::fwrite(content.data(), 1, content.size(), file) == content.size());
    check(std::fclose(file) == 0);
}

std::string loadFile(const std::string& path)
{
    std::string content;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    check(file != nullptr);
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        content.append(chunk, got);
    std::fclose(file);
    return content;
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
    FuzzedDataProvider data(bytes, size);
    const std::array<Draw, 5> draws = {consumeDraw(data), consumeDraw(data), consumeDraw(data),
                                       consumeDraw(data), consumeDraw(data)};
    const std::size_t bufferSize = data.ConsumeIntegralInRange<std::size_t>(0, 40);
    const std::string content = data.ConsumeRemainingBytesAsString();
    const std::string section = resolve(draws[0], content);
    const std::string key = resolve(draws[1], content);
    const std::string value = resolve(draws[2], content);
    const std::string otherSection = resolve(draws[3], content);
    const std::string otherKey = resolve(draws[4], content);

    const std::optional<std::string> otherBefore = ProfileText::find(content, otherSection, otherKey);
    const std::string written = ProfileText::write(content, section, key, value);
    const bool writable = ProfileText::canWrite(section, key, value);

    if (!writable) {
        check(written == content);
    } else {
        check(ProfileText::find(written, section, key) == expectedReadBack(value));
        check(changeStaysOnOneLine(content, written));
        if (!(sameIgnoringCase(section, otherSection) && sameIgnoringCase(key, otherKey)))
            check(ProfileText::find(written, otherSection, otherKey) == otherBefore);
    }

    storeFile(scratchFile(), content);
    const std::string fromFile = readThroughFile(otherSection, otherKey, bufferSize);
    check(fromFile == otherBefore.value_or("").substr(0, bufferSize ? bufferSize - 1 : 0));

    check(ProfileFile::WritePrivateProfileString(section, key, value, scratchFile()) == writable);
    check(loadFile(scratchFile()) == written);
    if (writable) {
        const std::string expected = expectedReadBack(value);
        check(readThroughFile(section, key, bufferSize) == expected.substr(0, bufferSize ? bufferSize - 1 : 0));
    }
    return 0;
}
