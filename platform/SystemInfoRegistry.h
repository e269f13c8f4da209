#pragma once

#include "platform/Registry.h"

// The one registry entry the program reads, answered from this system: the
// system-information program's path, when one of the known ones is on PATH.
// Every other key and value is missing.
class SystemInfoRegistry final : public Registry
{
public:
    long RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t options, std::uint32_t access,
                      HKEY& key) override;
    long RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type, QByteArray& buffer,
                         std::uint32_t& size) override;
    long RegCloseKey(HKEY key) override;

private:
    QString m_program;
};
