#pragma once

#include "platform/Registry.h"

#include <vector>

// The system-information key under HKEY_LOCAL_MACHINE as the program's own
// registry holds it: there once its one text value, PATH, is set (the raw
// bytes, the ending zero included), with the handle 1.
class FakeRegistry final : public Registry
{
public:
    long RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t, std::uint32_t, HKEY& key) override
    {
        const bool there = root == HKEY_LOCAL_MACHINE && !path.isNull()
            && subKey.compare(QLatin1String("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), Qt::CaseInsensitive) == 0;
        key = there ? 1 : 0;
        return there ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    long RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type, QByteArray& buffer,
                         std::uint32_t& size) override
    {
        if (key != 1 || valueName.compare(QLatin1String("PATH"), Qt::CaseInsensitive) != 0)
            return ERROR_FILE_NOT_FOUND;
        if (path.size() > buffer.size())
            return ERROR_MORE_DATA;
        type = REG_SZ;
        buffer.replace(0, path.size(), path);
        size = static_cast<std::uint32_t>(path.size());
        return ERROR_SUCCESS;
    }
    long RegCloseKey(HKEY key) override
    {
        closed.push_back(key);
        return ERROR_SUCCESS;
    }

    QByteArray path;
    std::vector<HKEY> closed;
};
