// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// One Ostrevo per user session. The first start listens on a local socket in
// the user's runtime folder; a later one hands its command line over and
// ends, so that no second bar, tray icon or journal writer appears.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // $XDG_RUNTIME_DIR/ostrevo.socket: private to the user and the session.
    static QString defaultSocketPath();

    // Gives the arguments to the instance listening at `socketPath`; false
    // when none answers within the time.
    static bool handOver(const QString& socketPath, const QStringList& arguments,
                         int timeoutMilliseconds = 2000);

    explicit SingleInstance(const QString& socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Starts listening. A socket left by a killed run is taken over; false
    // when another instance answers there.
    bool listen();

signals:
    void argumentsReceived(const QStringList& arguments);

private:
    void takeConnection();

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
};
