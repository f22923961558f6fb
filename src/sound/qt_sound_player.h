// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/sound_player.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <chrono>

// The program's sound player. The sound itself plays in a process of its own,
// ostrevo-sound (Qt Multimedia on the desktop's sound server): Qt's
// connection to PulseAudio tries once to come back after the server went
// away, blocks its thread while a server does not answer, and has corrupted
// memory on the way; a new process connects afresh. So the process is
// restarted when the server did not take a sound, at most once per
// RestartSpacing, and when it ended; the sound asked for is sent again.
class QtSoundPlayer final : public SoundPlayer
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds RestartSpacing{3000};

    explicit QtSoundPlayer(QObject* parent = nullptr);
    // Another sound process or spacing, for tests.
    QtSoundPlayer(const QString& program, const QStringList& arguments,
                  std::chrono::milliseconds restartSpacing = RestartSpacing,
                  QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    void play(const AlarmSound& sound) override;
    void stop() override;

    // ostrevo-sound as installed beside the program, or in the build folder.
    static QString installedProgram();

private:
    void start();
    void send(const QByteArray& line);
    void readReports();
    bool mayRestart() const;

    QString m_program;
    QStringList m_arguments;
    QProcess m_process{this};
    QByteArray m_wanted; // what plays or should: sent again to a new process
    QByteArray m_reports;
    std::chrono::milliseconds m_restartSpacing;
    QElapsedTimer m_started;
    bool m_failing = false;
    bool m_reportedFailing = false;
    bool m_reportedStartFailure = false;
    QTimer m_retry; // a new process once the spacing allows, while the server is gone
};
