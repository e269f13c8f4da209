#pragma once

#include "sound/AudioDevice.h"

#include <QTest>

// A sound output behind a sound server that can be missing, or go away under
// an open device, which then stays lost even once the server is back.
class FakeAudioDevice final : public AudioDevice
{
public:
    bool open() override
    {
        ++opens;
        m_open = server;
        m_lost = false;
        return m_open;
    }
    void close() override { m_open = m_lost = false; }
    bool lost() const override { return m_lost; }
    std::optional<int> play(const QString&, Unreadable) override
    {
        heard += m_open && !m_lost;
        return 25;
    }
    // Each sound lasts 25 ms; a ring waits for it and half a second more
    // for a device that stalls, no longer.
    void waitUntilPlayed(int limitMs) override { QCOMPARE(limitMs, 25 + 500); }

    void killServer()
    {
        server = false;
        m_lost = m_open;
    }

    bool server = true;
    int opens = 0;
    int heard = 0;

private:
    bool m_open = false;
    bool m_lost = false;
};
