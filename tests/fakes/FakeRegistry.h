#pragma once

#include "platform/Registry.h"

#include <map>
#include <utility>

// A registry of a few values under HKEY_LOCAL_MACHINE, stored as raw bytes.
class FakeRegistry final : public Registry
{
public:
    void set(const QString& key, const QString& valueName, std::uint32_t type, const QByteArray& data)
    {
        m_values[{key.toLower(), valueName.toLower()}] = {type, data};
    }

    long RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t, std::uint32_t, HKEY& key) override
    {
        for (std::size_t index = 0; index < m_keys.size(); ++index)
            if (m_keys[index] == subKey.toLower()) {
                key = root == HKEY_LOCAL_MACHINE ? index + 1 : 0;
                return key ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
            }
        for (const auto& [name, value] : m_values)
            if (name.first == subKey.toLower() && root == HKEY_LOCAL_MACHINE) {
                m_keys.push_back(name.first);
                key = m_keys.size();
                return ERROR_SUCCESS;
            }
        return ERROR_FILE_NOT_FOUND;
    }
    long RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type, QByteArray& buffer,
                         std::uint32_t& size) override
    {
        if (key == 0 || key > m_keys.size())
            return ERROR_FILE_NOT_FOUND;
        const auto found = m_values.find({m_keys[key - 1], valueName.toLower()});
        if (found == m_values.end())
            return ERROR_FILE_NOT_FOUND;
        const auto& [valueType, data] = found->second;
        if (data.size() > buffer.size())
            return ERROR_MORE_DATA;
        type = valueType;
        buffer.replace(0, data.size(), data);
        size = static_cast<std::uint32_t>(data.size());
        return ERROR_SUCCESS;
    }
    long RegCloseKey(HKEY key) override
    {
        closed.push_back(key);
        return ERROR_SUCCESS;
    }

    std::vector<HKEY> closed;

private:
    std::map<std::pair<QString, QString>, std::pair<std::uint32_t, QByteArray>> m_values;
    std::vector<QString> m_keys;
};
