#include "sound/AudioService.h"

#include "sound/AudioDevice.h"

#include <QString>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace {

// A wave file of the clock's is a few hundred kilobytes once converted; a
// request beyond this is not one the parent sent.
constexpr std::int64_t MaxPayload = std::int64_t{64} << 20;

void reply(std::FILE* out, const char* verb, std::int64_t number, const void* data = nullptr, std::size_t size = 0)
{
    std::fprintf(out, "%s %" PRId64 "\n", verb, number);
    if (size > 0)
        std::fwrite(data, 1, size, out);
    std::fflush(out);
}

bool readPayload(std::FILE* in, std::int64_t size, std::vector<std::uint8_t>& payload)
{
    if (size < 0 || size > MaxPayload)
        return false;
    payload.resize(static_cast<std::size_t>(size));
    return std::fread(payload.data(), 1, payload.size(), in) == payload.size();
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
    reply(out, "rate", device.frequency());
    reply(out, "channels", device.channels());

    char verb[8] = {};
    std::int64_t number = 0;
    std::vector<std::uint8_t> payload;
    while (std::fscanf(in, "%7s %" SCNd64, verb, &number) == 2 && std::fgetc(in) == '\n') {
        if (std::strcmp(verb, "load") == 0 && readPayload(in, number, payload)) {
            const std::vector<std::uint8_t> pcm = device.load(
                QString::fromUtf8(reinterpret_cast<const char*>(payload.data()), static_cast<int>(payload.size())));
            reply(out, "pcm", static_cast<std::int64_t>(pcm.size()), pcm.data(), pcm.size());
        } else if (std::strcmp(verb, "play") == 0 && readPayload(in, number, payload)) {
            device.play(payload);
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
