// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a Qt signal on the event loop. The handler
// only writes a byte into a socket pair; nothing of Qt runs inside it.
class UnixSignalBridge : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalBridge(QObject* parent = nullptr);
    ~UnixSignalBridge() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};
