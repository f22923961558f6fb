#include "threaded_pcm_output.h"

#include "sound_log.h"

#include <QMutex>
#include <QThread>

// Shared with the thread, which may outlive the output when it hangs.
struct ThreadedPcmOutput::Mailbox
{
    QMutex mutex;
    bool pending = false;
    bool play = false;
    Pcm pcm;
    std::unique_ptr<PcmOutput> output; // used on the thread only

    void deliver()
    {
        QMutexLocker lock(&mutex);
        const bool playNext = play;
        const Pcm next = std::exchange(pcm, {});
        pending = false;
        lock.unlock();
        if (playNext)
            output->start(next);
        else
            output->stop();
    }
};

ThreadedPcmOutput::ThreadedPcmOutput(std::function<std::unique_ptr<PcmOutput>()> make,
                                     std::chrono::milliseconds endWait)
    : m_mailbox(std::make_shared<Mailbox>()), m_thread(new QThread), m_context(new QObject),
      m_endWait(endWait)
{
    m_thread->setObjectName(QStringLiteral("Ton"));
    m_context->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread->start();
    QMetaObject::invokeMethod(m_context, [mailbox = m_mailbox, make] { mailbox->output = make(); });
}

ThreadedPcmOutput::~ThreadedPcmOutput()
{
    QMetaObject::invokeMethod(m_context, [mailbox = m_mailbox] { mailbox->output.reset(); });
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(m_endWait))) {
        delete m_thread;
        return;
    }
    // Deleting a running QThread aborts the program: it is left to the end.
    qCWarning(lcSound) << "Die Tonausgabe antwortet nicht; das Programm endet ohne sie";
}

void ThreadedPcmOutput::start(const Pcm& pcm)
{
    post(true, pcm);
}

void ThreadedPcmOutput::stop()
{
    post(false, {});
}

void ThreadedPcmOutput::post(bool play, const Pcm& pcm)
{
    QMutexLocker lock(&m_mailbox->mutex);
    const bool wake = !m_mailbox->pending;
    m_mailbox->pending = true;
    m_mailbox->play = play;
    m_mailbox->pcm = pcm;
    lock.unlock();
    if (wake)
        QMetaObject::invokeMethod(m_context, [mailbox = m_mailbox] { mailbox->deliver(); });
}
