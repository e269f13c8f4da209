#include "settings/ProfileFile.h"

#include "settings/ProfileEncoding.h"
#include "settings/ProfileText.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <optional>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A failure the system did not report itself, told the way it would have.
template <class Result>
Result failWith(int reason, Result result)
{
    errno = reason;
    return result;
}

constexpr int MaxLinkHops = 40;
constexpr int MaxTemporaryAttempts = 16;
// A settings file is a few hundred bytes; anything past this is no settings file
// and must not take the program's memory with it.
constexpr std::size_t MaxFileBytes = std::size_t(16) << 20;

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Renaming over a symlink would replace the link by a plain file; the new file
// has to land where the link points so the link keeps working.
std::optional<std::string> followLinks(std::string path)
{
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info
        {
        };
        if (::lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
        if (!S_ISLNK(info.st_mode))
            return path;
        std::vector<char> target(4096);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
            return failWith(ENAMETOOLONG, std::nullopt);
        std::string next(target.data(), static_cast<std::size_t>(length));
        if (next.front() != '/' && path.find('/') != std::string::npos)
            next = directoryOf(path) + next;
        path = std::move(next);
    }
    return failWith(ELOOP, std::nullopt);
}

std::string temporaryPrefixFor(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    return "." + (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp-";
}

// Process id, a per-process counter and the clock keep concurrent writers
// (threads or other instances of the program) off each other's temporary file.
std::string temporaryNameFor(const std::string& target)
{
    static std::atomic<unsigned long> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::size_t slash = target.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    return directory + temporaryPrefixFor(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-"
        + std::to_string(ticks);
}

// The writer's process id when the name is one temporaryNameFor() gave for the
// same target: the prefix, then three numbers joined by dashes.
std::optional<pid_t> writerOf(std::string_view name, const std::string& prefix)
{
    const auto isNumber = [](std::string_view text) {
        return !text.empty() && text.size() <= 20
            && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    name.remove_prefix(prefix.size());
    const std::size_t first = name.find('-');
    const std::size_t second = first == std::string_view::npos ? first : name.find('-', first + 1);
    if (second == std::string_view::npos || first > 9 || !isNumber(name.substr(0, first))
        || !isNumber(name.substr(first + 1, second - first - 1)) || !isNumber(name.substr(second + 1)))
        return std::nullopt;
    return static_cast<pid_t>(std::stol(std::string(name.substr(0, first))));
}

// A writer killed between creating its temporary and renaming it leaves the
// temporary behind for good. One whose writer is still running (or whose
// process id already went to another program) is left alone: it may be about
// to be renamed.
void removeLeftoverTemporaries(const std::string& target)
{
    DIR* directory = ::opendir(directoryOf(target).c_str());
    if (directory == nullptr)
        return;
    const std::string prefix = temporaryPrefixFor(target);
    while (const dirent* entry = ::readdir(directory)) {
        const std::optional<pid_t> writer = writerOf(entry->d_name, prefix);
        if (!writer || *writer == ::getpid() || ::kill(*writer, 0) == 0 || errno != ESRCH)
            continue;
        struct stat info
        {
        };
        if (::fstatat(::dirfd(directory), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
    }
    ::closedir(directory);
}

// The rename is what makes the new content visible; syncing the directory only
// makes it survive a power cut, so a failure there does not undo the write.
void syncDirectoryOf(const std::string& path)
{
    const int fd = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A directory that takes no new files may still hold a settings file its user may
// write (one an administrator shares). That file can only be rewritten where it is,
// as Windows always does: not proof against a crash, but the change is kept.
bool rewriteInPlace(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool ok = ProfileFile::writeAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0
        && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// A crash or a full disk must never leave a half-written settings file, so the new
// content goes to a temporary file beside the target and replaces it in one rename.
bool replaceFile(const std::string& target, std::string_view bytes, std::optional<mode_t> keptMode)
{
    removeLeftoverTemporaries(target);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < MaxTemporaryAttempts && fd < 0; ++attempt) {
        temporary = temporaryNameFor(target);
        // A brand-new file gets the usual permissions minus umask; a replacement gets
        // the old file's bits, set below once nobody else can open it.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, keptMode ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return keptMode && errno == EACCES && rewriteInPlace(target, bytes);
    }
    if (fd < 0)
        return false;

    bool ok = (!keptMode || ::fchmod(fd, *keptMode) == 0) && ProfileFile::writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        return failWith(reason, false);
    }
    syncDirectoryOf(target);
    return true;
}

} // namespace

// Only regular files count: a FIFO or device that happens to carry the name must
// neither block the program (hence O_NONBLOCK) nor feed it endless bytes. The
// size is checked against what actually arrives, not st_size, which a sparse or
// kernel-made file can state as anything.
std::optional<std::string> ProfileFile::readRegularFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> content;
    struct stat info
    {
    };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        content.emplace();
        std::vector<char> chunk(64 * 1024);
        for (;;) {
            const ssize_t got = ::read(fd, chunk.data(), chunk.size());
            if (got > 0 && content->size() + static_cast<std::size_t>(got) <= MaxFileBytes) {
                content->append(chunk.data(), static_cast<std::size_t>(got));
            } else if (got == 0) {
                break;
            } else if (got > 0 || errno != EINTR) { // too big, or a read error
                if (got > 0)
                    errno = EFBIG;
                content.reset();
                break;
            }
        }
    }
    ::close(fd);
    return content;
}

bool ProfileFile::writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::size_t ProfileFile::GetPrivateProfileString(std::string_view section, std::string_view key,
                                                 std::string_view defaultValue, char* buffer, std::size_t size,
                                                 const std::string& path)
{
    if (size == 0 || buffer == nullptr)
        return 0;
    std::optional<std::string> content = readRegularFile(path);
    const std::optional<std::string> value = content
        ? ProfileText::find(ProfileEncoding(std::move(*content)).text(), section, key)
        : std::nullopt;
    const std::string_view chosen = value ? std::string_view(*value) : defaultValue;
    const std::size_t count = chosen.copy(buffer, std::min(chosen.size(), size - 1));
    buffer[count] = '\0';
    return count;
}

bool ProfileFile::WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                                            const std::string& path)
{
    if (!ProfileText::canWrite(section, key, value))
        return failWith(EINVAL, false);
    const std::optional<std::string> target = followLinks(path);
    if (!target)
        return false;

    std::string content;
    std::optional<mode_t> keptMode;
    struct stat info
    {
    };
    if (::stat(target->c_str(), &info) == 0) {
        // A cleared owner-write bit means read-only, even for root, as on Windows.
        if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0)
            return failWith(S_ISDIR(info.st_mode) ? EISDIR : EACCES, false);
        std::optional<std::string> old = readRegularFile(*target);
        if (!old)
            return false;
        content = std::move(*old);
        keptMode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    const ProfileEncoding encoding(std::move(content));
    const std::string updated = ProfileText::write(encoding.text(), section, key, value);
    if (keptMode && updated == encoding.text())
        return true;
    return replaceFile(*target, encoding.encode(updated), keptMode);
}
