// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Reads the decoder's output from standard input ("-"), a file or a FIFO
// without blocking the event loop. At the end of the input it stops, or,
// following a FIFO, waits for its next writer: the decoder restarted.
// Standard input cannot be opened anew and is never followed.
class DecoderInput : public QObject
{
    Q_OBJECT

public:
    enum class AtEnd
    {
        Stop,
        Follow
    };

    DecoderInput(const QString& path, AtEnd atEnd, QObject* parent = nullptr);
    ~DecoderInput() override;

    bool open();
    QString errorString() const { return m_error; }

signals:
    void bytesRead(const QByteArray& bytes);
    void writerLeft(); // following a FIFO: its writer closed it
    void finished();   // the end, or an error (errorString() says which)

private:
    void closeFile();
    void readChunk();
    void reachedEnd();

    QString m_path;
    AtEnd m_atEnd;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QString m_error;
};
