#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

// Connects a desk to a feed and waits for the greeting, which it takes away.
inline bool greeted(QTcpSocket& desk, quint16 port)
{
    desk.connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([&desk] { return desk.bytesAvailable() > 0; }, 10000))
        return false;
    desk.readAll();
    return true;
}

// The real ostrevo-feed on a free port of 127.0.0.1, its log collected.
class FeedProcess
{
public:
    explicit FeedProcess(const QStringList& arguments)
    {
        m_process.start(QStringLiteral(OSTREVO_FEED),
                        arguments + QStringList{u"--port"_qs, u"0"_qs});
        static const QRegularExpression listening(QStringLiteral("listening on 127.0.0.1:(\\d+)"));
        if (QTest::qWaitFor([this] { return listening.match(log()).hasMatch(); }, 10000))
            m_port = quint16(listening.match(m_log).captured(1).toUInt());
    }

    ~FeedProcess()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    quint16 port() const { return m_port; } // 0 if it did not start
    QProcess& process() { return m_process; }

    const QString& log()
    {
        m_log += QString::fromUtf8(m_process.readAllStandardError());
        return m_log;
    }

private:
    QProcess m_process;
    QString m_log;
    quint16 m_port = 0;
};
