// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signal_measures.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <memory>

using namespace Qt::StringLiterals;

// What reaches the sink "desk", as parec records it: signed 16-bit mono.
class SinkRecorder
{
public:
    static constexpr int Rate = 22050;

    explicit SinkRecorder(const QString& server)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PULSE_SERVER"_s, server);
        m_parec.setProcessEnvironment(environment);
        QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, [this] {
            const QByteArray bytes = m_parec.readAllStandardOutput();
            m_pending += bytes;
            for (qsizetype i = 0; i + 1 < m_pending.size(); i += 2)
                m_samples.push_back(qFromLittleEndian<qint16>(m_pending.constData() + i) / 32768.0);
            m_pending = m_pending.right(m_pending.size() % 2);
        });
        m_parec.start(u"parec"_s, {u"-d"_s, u"desk.monitor"_s, u"--format=s16le"_s,
                                   u"--rate=22050"_s, u"--channels=1"_s, u"--latency-msec=10"_s});
    }
    ~SinkRecorder()
    {
        m_parec.kill();
        m_parec.waitForFinished();
    }
    // Whether the recording runs: it has delivered samples.
    bool waitUntilRecording() { return waitFor(1, 10000); }

    // Samples recorded so far: a mark to measure from.
    qsizetype position() const { return qsizetype(m_samples.size()); }
    const std::vector<double>& samples() const { return m_samples; }
    double rms(qsizetype from, qsizetype to) const
    {
        return SignalMeasures::rms(m_samples, size_t(from), size_t(to));
    }
    // Whether the last 50 ms hold sound.
    bool sounding() const
    {
        return rms(std::max<qsizetype>(0, position() - Rate / 20), position()) > 0.01;
    }
    // The amplitude of one frequency from a mark on.
    double level(double frequency, qsizetype from) const
    {
        return SignalMeasures::toneLevel(m_samples, size_t(from), m_samples.size(), frequency,
                                         Rate);
    }
    // Waits until the recording has grown by this many seconds.
    bool record(double seconds)
    {
        const qsizetype until = position() + qsizetype(seconds * Rate);
        return waitFor(until, int(seconds * 1000) + 5000);
    }

private:
    // Runs an event loop, as the program's is, until so many samples are in.
    bool waitFor(qsizetype samples, int timeoutMilliseconds)
    {
        QEventLoop loop;
        const auto check = [&] {
            if (position() >= samples)
                loop.quit();
        };
        QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, &loop, check,
                         Qt::QueuedConnection);
        QTimer::singleShot(timeoutMilliseconds, &loop, &QEventLoop::quit);
        if (position() < samples)
            loop.exec();
        return position() >= samples;
    }

    QProcess m_parec;
    QByteArray m_pending;
    std::vector<double> m_samples;
};

// A private PulseAudio with one null sink, "desk", in a fresh runtime folder;
// as root too. Qt's audio connects once, to the server in PULSE_SERVER: make
// it the process's with useInThisProcess() before anything plays.
class PrivateSoundServer
{
public:
    PrivateSoundServer()
    {
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~PrivateSoundServer() { stop(); }

    QString address() const { return u"unix:"_s + m_runtime.filePath(u"pulse/native"_s); }

    // Starts the server and waits until it listens.
    bool start()
    {
        QFile::remove(m_runtime.filePath(u"pulse/native"_s));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, m_runtime.filePath(u"config"_s));
        environment.remove(u"PULSE_SERVER"_s);
        m_daemon.setProcessEnvironment(environment);
        m_daemon.setStandardErrorFile(QProcess::nullDevice()); // "running as root" and the like
        m_daemon.start(u"pulseaudio"_s,
                       {u"-n"_s, u"--daemonize=no"_s, u"--exit-idle-time=-1"_s,
                        u"--disable-shm=yes"_s, u"-L"_s, u"module-null-sink sink_name=desk"_s,
                        u"-L"_s, u"module-native-protocol-unix auth-anonymous=1"_s, u"-L"_s,
                        u"module-always-sink"_s});
        return m_daemon.waitForStarted() &&
               QTest::qWaitFor(
                   [this] { return QFile::exists(m_runtime.filePath(u"pulse/native"_s)); }, 10000);
    }
    void stop()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    void useInThisProcess() const { qputenv("PULSE_SERVER", address().toLocal8Bit()); }
    std::unique_ptr<SinkRecorder> record() const
    {
        return std::make_unique<SinkRecorder>(address());
    }

private:
    QTemporaryDir m_runtime;
    QProcess m_daemon;
};
