#include "audio/threaded_pcm_output.h"

#include <QMutex>
#include <QSemaphore>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// Records each call with the thread it came on; a start waits for a permit.
struct Journal
{
    QMutex mutex;
    QStringList calls;
    QSemaphore permits;
    QThread* thread = nullptr;

    QThread* owner()
    {
        QMutexLocker lock(&mutex);
        return thread;
    }
    QStringList taken()
    {
        QMutexLocker lock(&mutex);
        return calls;
    }
    void add(const QString& call)
    {
        QMutexLocker lock(&mutex);
        calls += call + (QThread::currentThread() == thread ? u""_s : u" (fremder Thread)"_s);
    }
};

struct GatedOutput final : PcmOutput
{
    std::shared_ptr<Journal> journal;

    explicit GatedOutput(std::shared_ptr<Journal> j) : journal(std::move(j))
    {
        QMutexLocker lock(&journal->mutex);
        journal->thread = QThread::currentThread();
    }
    void start(const Pcm& pcm) override
    {
        journal->permits.acquire();
        journal->add(u"start %1"_s.arg(pcm.sampleRate));
    }
    void stop() override { journal->add(u"stop"_s); }
};

Pcm rate(int sampleRate)
{
    return {sampleRate, 1, QByteArray(2, '\0')};
}

} // namespace

class TestThreadedPcmOutput : public QObject
{
    Q_OBJECT

private slots:
    void callsReturnAtOnceAndTheLatestWins()
    {
        auto journal = std::make_shared<Journal>();
        ThreadedPcmOutput output([journal] { return std::make_unique<GatedOutput>(journal); });
        output.start(rate(8000)); // held up until a permit comes
        QTRY_VERIFY(journal->owner() != nullptr);
        output.stop();
        output.start(rate(11025));
        output.start(rate(22050));
        QVERIFY(journal->owner() != QThread::currentThread());
        journal->permits.release(2);
        QTRY_COMPARE(journal->taken(), (QStringList{u"start 8000"_s, u"start 22050"_s}));
        output.stop();
        QTRY_COMPARE(journal->taken().size(), 3);
        QCOMPARE(journal->taken().last(), u"stop"_s);
    }

    void theEndDoesNotWaitForAHeldUpThread()
    {
        auto journal = std::make_shared<Journal>();
        {
            ThreadedPcmOutput output([journal] { return std::make_unique<GatedOutput>(journal); },
                                     std::chrono::milliseconds(50));
            output.start(rate(8000));
            QTRY_VERIFY(journal->owner() != nullptr);
            QTest::ignoreMessage(QtWarningMsg,
                                 "Die Tonausgabe antwortet nicht; das Programm endet ohne sie");
        }
        journal->permits.release(); // the thread goes on alone and ends
        QTRY_COMPARE(journal->taken(), QStringList{u"start 8000"_s});
        QTRY_VERIFY(journal->owner()->isFinished());
    }
};

QTEST_GUILESS_MAIN(TestThreadedPcmOutput)
#include "tst_threaded_pcm_output.moc"
