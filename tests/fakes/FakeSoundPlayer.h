#pragma once

#include "sound/SoundPlayer.h"

#include <QStringList>

// Remembers every sound asked for, in order, as "async:<path>" or "sync:<path>".
class FakeSoundPlayer final : public SoundPlayer
{
public:
    void playAsync(const QString& path) override { played << QStringLiteral("async:") + path; }
    void playSync(const QString& path) override { played << QStringLiteral("sync:") + path; }

    QStringList played;
};
