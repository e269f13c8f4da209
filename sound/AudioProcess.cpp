#include "sound/AudioProcess.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace {

// Starting the child and finding a sound server, or finding there is none.
constexpr int OpenMs = 3000;
// Reading and converting a wave file, or answering a question.
constexpr int AnswerMs = 2000;
constexpr int EndMs = 1000;

} // namespace

AudioProcess::AudioProcess(QString program)
    : m_program(std::move(program))
{
}

AudioProcess::~AudioProcess()
{
    close();
    reapEnding();
}

bool AudioProcess::open()
{
    if (m_child)
        return true;
    m_child = std::make_unique<QProcess>();
    // What the sound libraries have to say goes where the clock's own
    // messages go.
    m_child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_child->start(m_program, {QString::fromLatin1(ChildArgument)});
    const std::optional<Message> answer = receive(QDeadlineTimer(OpenMs));
    if (answer && answer->verb == "ready")
        return true;
    close();
    return false;
}

void AudioProcess::close()
{
    if (!m_child)
        return;
    // The end of its input is the child's signal to close the device and go.
    // SDL takes tens of milliseconds to close, which the clock does not wait
    // for: the child is only waited for at the next close, long after.
    m_child->closeWriteChannel();
    reapEnding();
    m_ending = std::move(m_child);
}

void AudioProcess::reapEnding()
{
    if (!m_ending)
        return;
    if (!m_ending->waitForFinished(EndMs)) {
        m_ending->kill();
        m_ending->waitForFinished(EndMs);
    }
    m_ending.reset();
}

bool AudioProcess::lost() const
{
    if (!m_child)
        return false;
    send("lost", 0);
    const std::optional<Message> answer = receive(QDeadlineTimer(AnswerMs));
    // A child that no longer answers has no device to offer either.
    return !answer || answer->verb != "lost" || answer->number != 0;
}

std::optional<int> AudioProcess::play(const QString& path, Unreadable unreadable)
{
    if (!m_child)
        return std::nullopt;
    const QByteArray name = path.toUtf8();
    send(unreadable == Unreadable::DefaultSound ? "ring" : "play", name.size(), name);
    const std::optional<Message> answer = receive(QDeadlineTimer(AnswerMs));
    if (!answer || answer->verb != "length" || answer->number < 0)
        return std::nullopt;
    return static_cast<int>(answer->number);
}

void AudioProcess::waitUntilPlayed(int limitMs)
{
    if (!m_child)
        return;
    send("wait", limitMs);
    // The child gives up on its device after limitMs; this only guards
    // against a child that has stopped answering altogether.
    receive(QDeadlineTimer(limitMs + AnswerMs));
}

void AudioProcess::send(const char* verb, qint64 number, const QByteArray& payload) const
{
    m_child->write(QByteArray(verb) + ' ' + QByteArray::number(number) + '\n' + payload);
    while (m_child->bytesToWrite() > 0)
        if (!m_child->waitForBytesWritten(AnswerMs))
            return;
}

std::optional<AudioProcess::Message> AudioProcess::receive(const QDeadlineTimer& deadline) const
{
    while (!m_child->canReadLine())
        if (!m_child->waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return std::nullopt;
    const QList<QByteArray> words = m_child->readLine().trimmed().split(' ');
    if (words.size() < 2)
        return std::nullopt;
    bool ok = false;
    Message message{words.at(0), words.at(1).toLongLong(&ok)};
    return ok ? std::optional<Message>(message) : std::nullopt;
}
