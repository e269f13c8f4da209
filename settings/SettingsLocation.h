#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Where setting.ini is read and written. Beside the program whenever the
// program may write there, as it always has. A program installed where its
// user cannot write (a package under /usr) keeps each user's changes in the
// user's own configuration directory instead, the way Windows redirects a
// program under Program Files to the user's store; a setting.ini that an
// administrator put beside the program is then every user's starting point.
class SettingsLocation final
{
public:
    using Environment = std::function<std::optional<std::string>(const char* name)>;

    // Decided afresh by every reader and writer, so a file that appears or
    // a directory that becomes writable counts at once.
    static SettingsLocation find(const std::string& programDirectory, const Environment& environment);
    // find() with this process's environment.
    static SettingsLocation find(const std::string& programDirectory);

    // The file start-up reads.
    const std::string& readPath() const { return m_readPath; }
    // The file a change goes to; empty when the user has no home to keep one in.
    const std::string& writePath() const { return m_writePath; }

    // Writes one key where changes go; false when it did not land, which is
    // logged with the system's reason. The user's file is made by the first
    // write: its directory is created, and the file starts as a byte-for-byte
    // copy of the starting point (comments, unknown keys and encoding
    // included) before it takes the change.
    bool write(std::string_view section, std::string_view key, std::string_view value) const;

private:
    SettingsLocation(std::string readPath, std::string writePath);

    bool startUserFile() const;

    std::string m_readPath;
    std::string m_writePath;
};
