#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The system registry, as far as the program reads it: open a key, read one
// value into a caller's buffer, close the key. Results are the system's error
// codes, 0 for success.
class Registry
{
public:
    using HKEY = std::uintptr_t;
    static constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
    static constexpr long ERROR_SUCCESS = 0;
    static constexpr long ERROR_FILE_NOT_FOUND = 2;
    static constexpr long ERROR_MORE_DATA = 234;
    static constexpr std::uint32_t REG_SZ = 1;
    static constexpr std::uint32_t REG_DWORD = 4;
    static constexpr std::uint32_t KEY_READ_ALL = 0x2003F;

    virtual ~Registry() = default;
    virtual long RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t options, std::uint32_t access,
                              HKEY& key) = 0;
    // Fills at most buffer.size() bytes and sets size to the number written;
    // ERROR_MORE_DATA when the value does not fit.
    virtual long RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type, QByteArray& buffer,
                                 std::uint32_t& size) = 0;
    virtual long RegCloseKey(HKEY key) = 0;
};
