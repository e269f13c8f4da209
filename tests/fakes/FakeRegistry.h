#pragma once

#include "platform/Registry.h"

#include <QMap>
#include <QPair>

#include <vector>

// The values of one key under HKEY_LOCAL_MACHINE, stored as raw bytes. The
// key is there once it holds a value, and its handle is 1.
class FakeRegistry final : public Registry
{
public:
    void set(const QString& key, const QString& valueName, std::uint32_t type, const QByteArray& data)
    {
        m_key = key;
        m_values[valueName.toLower()] = {type, data};
    }

    long RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t, std::uint32_t, HKEY& key) override
    {
        const bool there = root == HKEY_LOCAL_MACHINE && !m_values.isEmpty()
            && subKey.compare(m_key, Qt::CaseInsensitive) == 0;
        key = there ? 1 : 0;
        return there ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    long RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type, QByteArray& buffer,
                         std::uint32_t& size) override
    {
        const auto found = m_values.constFind(valueName.toLower());
        if (key != 1 || found == m_values.constEnd())
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
    QString m_key;
    QMap<QString, QPair<std::uint32_t, QByteArray>> m_values;
};
