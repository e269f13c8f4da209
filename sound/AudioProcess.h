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
// AudioService. It is asked to play a file and tells the sound's length: the
// samples stay in the child.
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
    std::optional<int> play(const QString& path, Unreadable unreadable) override;
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
};
