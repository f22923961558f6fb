// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

// A private D-Bus session bus that starts no services of its own, so that a
// test decides whether there is a notification service.
class PrivateSessionBus
{
public:
    PrivateSessionBus()
    {
        QFile config(m_folder.filePath(u"bus.conf"_s));
        if (config.open(QIODevice::WriteOnly))
            config.write(
                "<busconfig><type>session</type><listen>unix:dir=" + m_folder.path().toUtf8() +
                "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        config.close();
        m_daemon.start(u"dbus-daemon"_s, {u"--nofork"_s, u"--print-address=1"_s,
                                          u"--config-file="_s + config.fileName()});
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateSessionBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    // Empty when the bus did not start.
    QString address() const { return m_address; }
    // A new connection to the bus under its own name.
    QDBusConnection connect(const QString& name) const
    {
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
};
