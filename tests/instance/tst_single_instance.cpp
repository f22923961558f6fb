// SPDX-License-Identifier: GPL-3.0-or-later
#include "instance/single_instance.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// What a killed run leaves: a socket file nobody listens on.
bool leaveDeadSocket(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString socket() const { return m_dir.filePath(u"ostrevo.socket"_s); }

private slots:
    void cleanup() { QFile::remove(socket()); }

    void laterStartsHandOver()
    {
        QVERIFY(!SingleInstance::handOver(socket(), {u"10.0.0.1"_s})); // nobody there yet
        SingleInstance first(socket());
        QVERIFY(first.listen());
        QSignalSpy received(&first, &SingleInstance::argumentsReceived);
        // A blocking hand-over needs the listener's event loop: from a thread.
        const QStringList arguments{u"--tray"_s, u"Hauptwache Süd 10.0.0.1"_s};
        bool delivered = false;
        std::unique_ptr<QThread> later(
            QThread::create([&] { delivered = SingleInstance::handOver(socket(), arguments); }));
        later->start();
        QTRY_VERIFY(later->isFinished());
        QVERIFY(delivered);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received[0][0].toStringList(), arguments);

        SingleInstance second(socket()); // the first still answers
        QVERIFY(!second.listen());
    }

    void deadSocketIsTakenOver()
    {
        QVERIFY(leaveDeadSocket(socket()));
        QVERIFY(!SingleInstance::handOver(socket(), {}));
        SingleInstance next(socket());
        QVERIFY(next.listen());
        QLocalSocket probe;
        probe.connectToServer(socket());
        QVERIFY(probe.waitForConnected(1000));
    }

    void strangersAreNotHeard()
    {
        // A local client that sends no hand-over, or one too large, gets nothing.
        SingleInstance first(socket());
        QVERIFY(first.listen());
        QSignalSpy received(&first, &SingleInstance::argumentsReceived);
        // A small message that claims billions of arguments must not make
        // the first instance try to find room for them.
        const QByteArray hugeCount("\x00\x00\x00\x08\xff\xff\xff\xf0\x00\x00\x00\x00", 12);
        for (const QByteArray& bytes :
             {QByteArray("\xff\xff\xff\xff junk"), QByteArray(200 * 1024, 'x'), hugeCount}) {
            QLocalSocket stranger;
            stranger.connectToServer(socket());
            QVERIFY(stranger.waitForConnected(1000));
            stranger.write(bytes);
            QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);
        }
        QCOMPARE(received.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
