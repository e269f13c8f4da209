#include "settings/ProgramPaths.h"

std::string ProgramPaths::settingsPath(const std::string& programDirectory)
{
    if (!programDirectory.empty() && programDirectory.back() == '/')
        return programDirectory + SettingsFileName;
    return programDirectory + '/' + SettingsFileName;
}

std::string ProgramPaths::fileBeside(const std::string& programDirectory, const std::string& fileName)
{
    return programDirectory + '/' + fileName;
}
