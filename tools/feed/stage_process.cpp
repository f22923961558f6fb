// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_process.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

StageProcess::StageProcess(QObject* parent) : QObject(parent)
{
    const pid_t feed = ::getpid();
    m_process.setChildProcessModifier([feed] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != feed) // the feed died before prctl took effect
            ::_exit(1);
    });
    m_killTimer.setSingleShot(true);
    m_killTimer.setInterval(StopGraceMs);
    connect(&m_killTimer, &QTimer::timeout, this, [this] { signalGroup(SIGKILL); });
    connect(&m_process, &QProcess::readyReadStandardOutput, this,
            [this] { emit output(m_process.readAllStandardOutput()); });
    connect(&m_process, &QProcess::readyReadStandardError, this, &StageProcess::readErrors);
    connect(&m_process, &QProcess::bytesWritten, this, [this] { emit bytesWritten(); });
    connect(&m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit ? QStringLiteral("mit Code %1").arg(code)
                                              : QStringLiteral("durch ein Signal"));
    });
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(QStringLiteral("ohne zu starten (%1)").arg(m_process.errorString()));
    });
}

StageProcess::~StageProcess()
{
    // Nothing is told any more; what runs goes at once.
    m_process.disconnect(this);
    if (isRunning()) {
        signalGroup(SIGKILL);
        m_process.waitForFinished(1000);
    }
}

void StageProcess::start(const QString& program, const QStringList& arguments)
{
    m_errorLines.endInput();
    m_process.start(program, arguments);
    m_group = m_process.processId();
}

void StageProcess::stop()
{
    if (!isRunning())
        return;
    signalGroup(SIGTERM);
    m_killTimer.start();
}

void StageProcess::signalGroup(int signal)
{
    if (m_group > 0)
        ::kill(-pid_t(m_group), signal);
}

void StageProcess::readErrors()
{
    for (const LineSplitter::Line& line : m_errorLines.feed(m_process.readAllStandardError())) {
        if (!line.tooLong)
            emit errorLine(line.text);
    }
}

void StageProcess::finish(const QString& how)
{
    m_killTimer.stop();
    readErrors();
    // What the program left running in its group (a pipeline's other
    // commands) ends with it.
    signalGroup(SIGTERM);
    m_group = 0;
    emit ended(how);
}
