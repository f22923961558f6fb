#pragma once

#include "pcm_output.h"

#include <chrono>
#include <functional>
#include <memory>

class QObject;
class QThread;

// Runs another output on a thread of its own, so that a sound server that
// does not answer holds up that thread and never the caller's. The calls
// return at once; when several arrive while the thread is busy, only the
// latest is carried out.
class ThreadedPcmOutput final : public PcmOutput
{
public:
    // make is called on the new thread: what it creates lives there. The end
    // waits this long for a thread that is held up, then leaves it running.
    explicit ThreadedPcmOutput(std::function<std::unique_ptr<PcmOutput>()> make,
                               std::chrono::milliseconds endWait = std::chrono::seconds(2));
    ~ThreadedPcmOutput() override;

    void start(const Pcm& pcm) override;
    void stop() override;

private:
    struct Mailbox;
    void post(bool play, const Pcm& pcm);

    std::shared_ptr<Mailbox> m_mailbox;
    QThread* m_thread;
    QObject* m_context; // lives on the thread: what is invoked on it runs there
    std::chrono::milliseconds m_endWait;
};
