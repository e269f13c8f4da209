#pragma once

#include <optional>

// The clock takes no arguments of its own but the usual --help and
// --version, and Qt's options (-platform, -display, -style, ...), which the
// application object takes out of argv itself. Everything is decided before
// that object exists, so --help and --version answer without a display (over
// SSH, in a package build), a mistyped option is reported as such rather
// than as a missing display, and a missing display in one line rather than
// by Qt's abort.
class CommandLine final
{
public:
    CommandLine() = delete;

    // The exit status when the program is to end here after answering on
    // standard output or standard error; nothing when the clock is to start.
    static std::optional<int> answer(int argc, char* argv[]);
};
