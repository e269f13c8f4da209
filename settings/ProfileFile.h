#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// setting.ini on disk, behind the same two calls the Windows build of the program uses.
// A file over 16 MiB counts as unreadable: reads give the default, writes are refused.
// A UTF-16 file (see ProfileEncoding) gives its values as UTF-8 and stays UTF-16
// when written, mark and all.
class ProfileFile final
{
public:
    ProfileFile() = delete;

    // Copies at most size-1 characters of the value (or of defaultValue when the file,
    // section or key is missing) and a NUL into buffer; returns the count copied.
    // size 0 copies nothing and returns 0. The file is read afresh on every call.
    static std::size_t GetPrivateProfileString(std::string_view section, std::string_view key,
                                               std::string_view defaultValue, char* buffer, std::size_t size,
                                               const std::string& path);

    // Writes one key; true when the new file is in place, and errno says why not
    // (as GetLastError does after the Windows call). On failure the old file
    // stays byte for byte as it was and no temporary file is left behind. The one
    // exception is a writable file in a directory that takes no new files: it is
    // rewritten in place, which a crash can interrupt. A write also removes the
    // temporaries of earlier writers that were killed mid-write.
    static bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                                          const std::string& path);

    // The whole file, or nothing when it is missing, unreadable, over the size
    // limit or no regular file.
    static std::optional<std::string> readRegularFile(const std::string& path);
    // All of the bytes into the open file, however many writes it takes.
    static bool writeAll(int fd, std::string_view bytes);
};
