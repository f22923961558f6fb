// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_sound_player.h"

#include "audio/sound_log.h"
#include "sound_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

QtSoundPlayer::QtSoundPlayer(QObject* parent)
    : QtSoundPlayer(installedProgram(), {}, RestartSpacing, parent)
{
}

QtSoundPlayer::QtSoundPlayer(const QString& program, const QStringList& arguments,
                             std::chrono::milliseconds restartSpacing, QObject* parent)
    : SoundPlayer(parent), m_program(program), m_arguments(arguments),
      m_restartSpacing(restartSpacing)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel); // its log is ours
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &QtSoundPlayer::readReports);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !std::exchange(m_reportedStartFailure, true))
            qCWarning(lcSound).noquote() << QStringLiteral("Tonprogramm %1 nicht startbar: %2")
                                                .arg(m_program, m_process.errorString());
    });
    connect(&m_process, &QProcess::finished, this,
            [](int, QProcess::ExitStatus status) {
                if (status == QProcess::CrashExit)
                    qCWarning(lcSound)
                        << "Das Tonprogramm ist abgestürzt; es startet mit dem nächsten Ton neu";
            });
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (m_failing && !m_wanted.isEmpty()) {
            start();
            send(m_wanted);
        }
    });
    start(); // ready before the first alarm; it connects to the server only then
}

QtSoundPlayer::~QtSoundPlayer()
{
    m_process.disconnect(this);
    m_process.closeWriteChannel(); // the process ends at the end of its input
    if (!m_process.waitForFinished(500))
        m_process.kill();
    m_process.waitForFinished(500);
}

QString QtSoundPlayer::installedProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    const QString installed = here.filePath(QStringLiteral(OSTREVO_SOUND_PROGRAM_FROM_BIN));
    return QFileInfo(installed).isExecutable() ? installed
                                               : here.filePath(QStringLiteral("ostrevo-sound"));
}

void QtSoundPlayer::play(const AlarmSound& sound)
{
    m_wanted = sound.kind == AlarmSound::Kind::Silent ? QByteArray() : SoundCommands::encode(sound);
    if (m_process.state() == QProcess::NotRunning || (m_failing && mayRestart()))
        start();
    send(m_wanted.isEmpty() ? QByteArray("stop") : m_wanted);
}

void QtSoundPlayer::stop()
{
    m_wanted.clear();
    m_retry.stop();
    if (m_process.state() != QProcess::NotRunning)
        send("stop");
}

void QtSoundPlayer::start()
{
    if (m_process.state() != QProcess::NotRunning) {
        const QSignalBlocker quiet(m_process); // ended on purpose, not crashed
        m_process.kill();
        m_process.waitForFinished(1000);
    }
    m_reports.clear();
    m_failing = false;
    m_started.start();
    m_process.start(m_program, m_arguments);
}

void QtSoundPlayer::send(const QByteArray& line)
{
    m_process.write(line + '\n');
}

bool QtSoundPlayer::mayRestart() const
{
    return m_started.elapsed() >= m_restartSpacing.count();
}

void QtSoundPlayer::readReports()
{
    m_reports += m_process.readAllStandardOutput();
    for (qsizetype end = m_reports.indexOf('\n'); end >= 0; end = m_reports.indexOf('\n')) {
        const QByteArray report = m_reports.left(end);
        m_reports.remove(0, end + 1);
        if (report != SoundCommands::Failing && report != SoundCommands::Ready)
            continue;
        m_failing = report == SoundCommands::Failing;
        // Alarms repeat their sound: the loss and the return are logged once each.
        if (m_failing != m_reportedFailing) {
            m_reportedFailing = m_failing;
            if (m_failing)
                qCWarning(lcSound)
                    << "Tonausgabe nicht möglich, der Tonserver ist nicht erreichbar";
            else
                qCInfo(lcSound) << "Tonausgabe wieder möglich";
        }
        if (m_failing && !m_wanted.isEmpty()) {
            if (mayRestart()) {
                start();
                send(m_wanted);
            } else if (!m_retry.isActive()) {
                // An alarm that does not repeat would otherwise stay silent.
                m_retry.start(std::chrono::milliseconds(
                    std::max<qint64>(0, m_restartSpacing.count() - m_started.elapsed())));
            }
        }
    }
    if (m_reports.size() > SoundCommands::MaxLine)
        m_reports.clear();
}
