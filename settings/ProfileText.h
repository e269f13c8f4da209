#pragma once

#include <optional>
#include <string>
#include <string_view>

// The rules of setting.ini as plain text. Reading and writing share one parse,
// so the writer always changes the very line the reader would take a value from.
class ProfileText final
{
public:
    ProfileText() = delete;

    // The value of section/key as the reader sees it (blanks trimmed, one outer
    // pair of matching quotes removed), or nullopt when the section or key is absent.
    static std::optional<std::string> find(std::string_view content, std::string_view section, std::string_view key);

    // The file's bytes after writing section/key=value: creates the section and key as
    // needed, replaces an existing value on its own line, keeps every other byte and the
    // file's line-end style. Input that canWrite() refuses leaves the content unchanged.
    static std::string write(std::string_view content, std::string_view section, std::string_view key,
                             std::string_view value);

    // Whether section/key/value can be stored so that it reads back as written,
    // without breaking or injecting lines.
    static bool canWrite(std::string_view section, std::string_view key, std::string_view value);
};
