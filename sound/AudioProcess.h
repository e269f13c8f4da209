#pragma once

#include "sound/AudioDevice.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QDeadlineTimer;
class QProcess;

// The sound output, run by a child process of the program's own: opening a
// sound server maps SDL, the server's client library and a dozen codec
// libraries, and the client library cannot be unloaded again. In a child that
// ends once the clock is quiet, none of it stays in the clock. The child is
// the program itself, started with ChildArgument, and answers through
// AudioService.
class AudioProcess final : public AudioDevice
{
public:
    static constexpr char ChildArgument[] = "--serve-sound-on-stdin";

    explicit AudioProcess(QString program);
    ~AudioProcess() override;
    AudioProcess(const AudioProcess&) = delete;
    AudioProcess& operator=(const AudioProcess&) = delete;

    bool open() override;
    void close() override;
    bool lost() const override;
    int frequency() const override { return m_frequency; }
    int channels() const override { return m_channels; }
    std::vector<std::uint8_t> load(const QString& path) const override;
    void play(const std::vector<std::uint8_t>& pcm) override;
    void waitUntilPlayed(int limitMs) override;

private:
    struct Message
    {
        QByteArray verb;
        qint64 number = 0;
    };

    void send(const char* verb, qint64 number, const QByteArray& payload = QByteArray()) const;
    std::optional<Message> receive(const QDeadlineTimer& deadline) const;
    void reapEnding();

    QString m_program;
    std::unique_ptr<QProcess> m_child;
    std::unique_ptr<QProcess> m_ending;
    int m_frequency = 0;
    int m_channels = 0;
};
