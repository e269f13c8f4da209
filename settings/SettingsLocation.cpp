#include "settings/SettingsLocation.h"

#include "settings/ProfileFile.h"
#include "settings/ProgramPaths.h"
#include "settings/SettingsLog.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* UserDirectoryName = "tansywatch";

bool writableByUs(const std::string& path)
{
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The test the profile writer makes: a cleared owner-write bit means
// read-only, even for root.
bool writableFile(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) != 0
        && writableByUs(path);
}

// A dangling link counts too: the user's file is what the user put there.
bool exists(const std::string& path)
{
    struct stat info
    {
    };
    return ::lstat(path.c_str(), &info) == 0;
}

// The XDG base directory rules say to ignore a relative value.
std::optional<std::string> absoluteDirectory(const SettingsLocation::Environment& environment, const char* name)
{
    std::optional<std::string> value = environment(name);
    if (value && !value->empty() && value->front() == '/')
        return value;
    return std::nullopt;
}

std::string userFileFor(const SettingsLocation::Environment& environment)
{
    std::string base;
    if (const auto config = absoluteDirectory(environment, "XDG_CONFIG_HOME"))
        base = *config;
    else if (const auto home = absoluteDirectory(environment, "HOME"))
        base = *home + "/.config";
    else
        return {};
    return base + '/' + UserDirectoryName + '/' + ProgramPaths::SettingsFileName;
}

// Missing parents too, private to the user as the XDG rules ask of a
// configuration directory made on the user's behalf.
bool makeDirectories(const std::string& directory)
{
    for (std::size_t slash = directory.find('/', 1);; slash = directory.find('/', slash + 1)) {
        const std::string part = directory.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

} // namespace

SettingsLocation::SettingsLocation(std::string readPath, std::string writePath)
    : m_readPath(std::move(readPath))
    , m_writePath(std::move(writePath))
{
}

SettingsLocation SettingsLocation::find(const std::string& programDirectory, const Environment& environment)
{
    const std::string programFile = ProgramPaths::settingsPath(programDirectory);
    if (writableByUs(programDirectory) || writableFile(programFile))
        return SettingsLocation(programFile, programFile);
    const std::string userFile = userFileFor(environment);
    if (!userFile.empty() && exists(userFile))
        return SettingsLocation(userFile, userFile);
    return SettingsLocation(programFile, userFile);
}

SettingsLocation SettingsLocation::find(const std::string& programDirectory)
{
    return find(programDirectory, [](const char* name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name))
            return std::string(value);
        return std::nullopt;
    });
}

bool SettingsLocation::write(std::string_view section, std::string_view key, std::string_view value) const
{
    const std::string change = '[' + std::string(section) + "] " + std::string(key) + '=' + std::string(value);
    if (m_writePath.empty()) {
        qCWarning(lcSettings,
                  "could not write %s: %s cannot be written, and with neither HOME nor XDG_CONFIG_HOME set there is "
                  "no other place for it; the change lasts only until the clock is closed",
                  change.c_str(), m_readPath.c_str());
        return false;
    }
    // Reading from elsewhere means the user's file does not exist yet.
    const bool firstInUserFile = m_writePath != m_readPath;
    if ((!firstInUserFile || startUserFile())
        && ProfileFile::WritePrivateProfileString(section, key, value, m_writePath)) {
        if (firstInUserFile)
            qCInfo(lcSettings, "%s cannot be written; settings go to %s instead", m_readPath.c_str(),
                   m_writePath.c_str());
        return true;
    }
    qCWarning(lcSettings, "could not write %s to %s: %s; the change lasts only until the clock is closed",
              change.c_str(), m_writePath.c_str(), std::strerror(errno));
    return false;
}

bool SettingsLocation::startUserFile() const
{
    const std::string directory = m_writePath.substr(0, m_writePath.rfind('/'));
    if (!makeDirectories(directory))
        return false;
    const std::optional<std::string> start = ProfileFile::readRegularFile(m_readPath);
    if (!start)
        return true; // the write makes the file from nothing
    // Written under another name and linked into place: nobody sees half a
    // copy, and a file another running clock has just made stays as it is.
    std::string temporary = directory + "/." + ProgramPaths::SettingsFileName + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = ProfileFile::writeAll(fd, *start) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && (::link(temporary.c_str(), m_writePath.c_str()) == 0 || errno == EEXIST);
    const int reason = errno;
    ::unlink(temporary.c_str());
    errno = reason;
    return ok;
}
