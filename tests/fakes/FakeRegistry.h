#pragma once

#include "platform/Registry.h"

#include <QMap>
#include <QPair>
#include <QStringList>

#include <utility>

// A registry of a few values under HKEY_LOCAL_MACHINE, stored as raw bytes.
// A key's handle is its place in the list of keys opened so far, from 1.
class FakeRegistry final : public Registry
{
public:
    void set(const QString& key, const QString& valueName, std::uint32_t type, const QByteArray& data)
    {
        m_values[{key.toLower(), valueName.toLower()}] = {type, data};
    }

    long RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t, std::uint32_t, HKEY& key) override
    {
        const auto values = m_values.keys();
        const bool exists = std::any_of(values.begin(), values.end(),
                                        [&](const auto& name) { return name.first == subKey.toLower(); });
        if (root != HKEY_LOCAL_MACHINE || !exists)
            return ERROR_FILE_NOT_FOUND;
        m_opened << subKey.toLower();
        key = static_cast<HKEY>(m_opened.size());
        return ERROR_SUCCESS;
    }
    long RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type, QByteArray& buffer,
                         std::uint32_t& size) override
    {
        const auto found = m_values.constFind({m_opened.value(int(key) - 1), valueName.toLower()});
        if (key == 0 || found == m_values.constEnd())
            return ERROR_FILE_NOT_FOUND;
        if (found->second.size() > buffer.size())
            return ERROR_MORE_DATA;
        type = found->first;
        buffer.replace(0, found->second.size(), found->second);
        size = static_cast<std::uint32_t>(found->second.size());
        return ERROR_SUCCESS;
    }
    long RegCloseKey(HKEY key) override
    {
        closed.push_back(key);
        return ERROR_SUCCESS;
    }

    std::vector<HKEY> closed;

private:
    QMap<QPair<QString, QString>, QPair<std::uint32_t, QByteArray>> m_values;
    QStringList m_opened;
};
