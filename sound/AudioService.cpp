#include "sound/AudioService.h"

#include "sound/AudioDevice.h"

#include <QString>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include <unistd.h>

namespace {

// Longer than any path; a request beyond this is not one the parent sent.
constexpr std::int64_t MaxPath = 64 * 1024;

void reply(std::FILE* out, const char* verb, std::int64_t number)
{
    std::fprintf(out, "%s %" PRId64 "\n", verb, number);
    std::fflush(out);
}

std::optional<QString> readPath(std::FILE* in, std::int64_t size)
{
    if (size < 0 || size > MaxPath)
        return std::nullopt;
    std::vector<char> path(static_cast<std::size_t>(size));
    if (std::fread(path.data(), 1, path.size(), in) != path.size())
        return std::nullopt;
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

} // namespace

int AudioService::serve(AudioDevice& device)
{
    // The requests come on standard input and the answers go out on what was
    // standard output; whatever a sound library prints there goes to standard
    // error instead, where it cannot be taken for an answer.
    std::FILE* in = stdin;
    const int answers = ::dup(STDOUT_FILENO);
    std::FILE* out = answers >= 0 ? ::fdopen(answers, "wb") : nullptr;
    if (out == nullptr || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 1;
    if (!device.open()) {
        reply(out, "none", 0);
        return 1;
    }
    reply(out, "ready", 0);

    char verb[8] = {};
    std::int64_t number = 0;
    while (std::fscanf(in, "%7s %" SCNd64, verb, &number) == 2 && std::fgetc(in) == '\n') {
        const bool ring = std::strcmp(verb, "ring") == 0;
        if (ring || std::strcmp(verb, "play") == 0) {
            const std::optional<QString> path = readPath(in, number);
            if (!path)
                break;
            const std::optional<int> lengthMs = device.play(
                *path, ring ? AudioDevice::Unreadable::DefaultSound : AudioDevice::Unreadable::Silence);
            reply(out, "length", lengthMs.value_or(-1));
        } else if (std::strcmp(verb, "wait") == 0) {
            device.waitUntilPlayed(static_cast<int>(number));
            reply(out, "done", 0);
        } else if (std::strcmp(verb, "lost") == 0) {
            reply(out, "lost", device.lost() ? 1 : 0);
        } else {
            break;
        }
    }
    device.close();
    return 0;
}
