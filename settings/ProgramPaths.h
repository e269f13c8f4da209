#pragma once

#include <string>

// Everything the program reads or plays lies in its own directory, whatever
// directory it was started from.
class ProgramPaths final
{
public:
    static constexpr const char* SettingsFileName = "setting.ini";

    // The directory and setting.ini joined by exactly one separator, so a
    // program in the root directory keeps its settings in /setting.ini.
    static std::string settingsPath(const std::string& programDirectory);
    // A wave file, the help file or the default face beside the program.
    static std::string fileBeside(const std::string& programDirectory, const std::string& fileName);
};
