// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line_splitter.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

// One program of the receiving chain (the source or the decoder). It runs
// in a process group of its own, so that stopping it also ends what it
// started (a shell's pipeline), and it is sent SIGTERM when the feed dies,
// however it dies. What it writes on standard error comes line by line.
class StageProcess : public QObject
{
    Q_OBJECT

public:
    static constexpr int StopGraceMs = 3000; // then SIGKILL

    explicit StageProcess(QObject* parent = nullptr);
    ~StageProcess() override;

    void start(const QString& program, const QStringList& arguments);
    // SIGTERM to its group; ended() follows.
    void stop();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

    qint64 write(const QByteArray& bytes) { return m_process.write(bytes); }
    qint64 bytesToWrite() const { return m_process.bytesToWrite(); }
    void closeWriteChannel() { m_process.closeWriteChannel(); }
    QString program() const { return m_process.program(); }

signals:
    void output(const QByteArray& bytes);
    void errorLine(const QByteArray& line);
    void bytesWritten();
    // How it ended, for the log ("mit Code 1").
    void ended(const QString& how);

private:
    void signalGroup(int signal);
    void readErrors();
    void finish(const QString& how);

    QProcess m_process;
    QTimer m_killTimer;
    LineSplitter m_errorLines;
    qint64 m_group = 0;
};
