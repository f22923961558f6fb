#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

// Reads the decoder's output from standard input ("-"), a file or a FIFO
// without blocking the event loop. At the end of the input it stops, or,
// when following, waits: on a FIFO for the next writer (the decoder being
// restarted), on a file for more to be appended. Standard input cannot be
// opened anew and is never followed.
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
    bool m_isFifo = false;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_retry; // following a regular file
    QString m_error;
};
