// SPDX-License-Identifier: GPL-3.0-or-later
#include "decoder_input.h"

#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype Chunk = 64 * 1024;

} // namespace

DecoderInput::DecoderInput(const QString& path, AtEnd atEnd, QObject* parent)
    : QObject(parent), m_path(path), m_atEnd(path == u"-" ? AtEnd::Stop : atEnd)
{
}

DecoderInput::~DecoderInput()
{
    closeFile();
}

bool DecoderInput::open()
{
    // Non-blocking, so that opening a FIFO does not wait for its writer.
    const int fd = m_path == u"-" ? STDIN_FILENO
                                  : ::open(QFile::encodeName(m_path).constData(),
                                           O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat info = {};
    if (m_atEnd == AtEnd::Follow && !(::fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode))) {
        ::close(fd);
        m_error = QStringLiteral("keine benannte Pipe, die --follow braucht");
        return false;
    }
    closeFile();
    m_fd = fd;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DecoderInput::readChunk);
    return true;
}

void DecoderInput::closeFile()
{
    // Called from the notifier's own signal when a FIFO is opened anew.
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_fd > STDIN_FILENO)
        ::close(m_fd);
    m_fd = -1;
}

void DecoderInput::readChunk()
{
    // One read per wake-up: it never blocks, also where the descriptor
    // (standard input) is a blocking one.
    QByteArray chunk(Chunk, Qt::Uninitialized);
    const ssize_t got = ::read(m_fd, chunk.data(), std::size_t(chunk.size()));
    if (got > 0) {
        chunk.truncate(got);
        emit bytesRead(chunk);
    } else if (got == 0) {
        reachedEnd();
    } else if (errno != EAGAIN && errno != EINTR) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        closeFile();
        emit finished();
    }
}

void DecoderInput::reachedEnd()
{
    if (m_atEnd == AtEnd::Stop) {
        m_notifier->setEnabled(false);
        emit finished();
        return;
    }
    // Opened anew, the FIFO stays quiet until the next writer comes.
    if (!open()) {
        closeFile(); // a dead descriptor would wake the loop for ever
        emit finished();
        return;
    }
    emit writerLeft();
}
