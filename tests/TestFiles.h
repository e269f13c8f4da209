#pragma once

#include <QFile>
#include <QStringEncoder>

// Whole files in and out, byte for byte.
inline QByteArray load(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool store(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// With its byte-order mark, as Notepad's "Unicode" saves it; Qt copies broken
// surrogates as they are.
inline QByteArray utf16(const QString& text, bool bigEndian = false)
{
    return QStringEncoder(bigEndian ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE,
                          QStringEncoder::Flag::WriteBom)(text);
}
