#include "platform/SystemInfoRegistry.h"

#include <QFile>
#include <QStandardPaths>

namespace {

constexpr Registry::HKEY SystemInfoKey = 1;

// Programs that show the machine's hardware and system, best first; each
// starts without arguments.
constexpr const char* systemInfoPrograms[] = {"hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk"};

QString installedSystemInfoProgram()
{
    for (const char* program : systemInfoPrograms) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace

long SystemInfoRegistry::RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t, std::uint32_t, HKEY& key)
{
    key = 0;
    if (root != HKEY_LOCAL_MACHINE
        || subKey.compare(QLatin1String("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    m_program = installedSystemInfoProgram();
    if (m_program.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    key = SystemInfoKey;
    return ERROR_SUCCESS;
}

long SystemInfoRegistry::RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type, QByteArray& buffer,
                                         std::uint32_t& size)
{
    if (key != SystemInfoKey || valueName.compare(QLatin1String("PATH"), Qt::CaseInsensitive) != 0)
        return ERROR_FILE_NOT_FOUND;
    // A string value is stored with its terminating NUL and counted with it;
    // a value that does not fit tells the size it needs, as the system's does.
    const QByteArray data = QFile::encodeName(m_program) + '\0';
    type = REG_SZ;
    size = static_cast<std::uint32_t>(data.size());
    if (data.size() > buffer.size())
        return ERROR_MORE_DATA;
    buffer.replace(0, data.size(), data);
    return ERROR_SUCCESS;
}

long SystemInfoRegistry::RegCloseKey(HKEY)
{
    return ERROR_SUCCESS;
}
