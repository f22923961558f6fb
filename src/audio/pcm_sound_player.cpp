// SPDX-License-Identifier: GPL-3.0-or-later
#include "pcm_sound_player.h"

#include "built_in_sounds.h"
#include "common/log_text.h"
#include "sound_log.h"

#include <QFutureWatcher>
#include <QtConcurrent>

PcmSoundPlayer::PcmSoundPlayer(std::unique_ptr<PcmOutput> output, QObject* parent)
    : SoundPlayer(parent),
      m_output(std::move(output)), m_builtIn{BuiltInSounds::synthesize(BuiltInSound::Gong),
                                             BuiltInSounds::synthesize(BuiltInSound::Siren),
                                             BuiltInSounds::synthesize(BuiltInSound::Notice)}
{
}

PcmSoundPlayer::~PcmSoundPlayer() = default;

void PcmSoundPlayer::play(const AlarmSound& sound)
{
    const quint64 request = ++m_request;
    m_output->stop();
    switch (sound.kind) {
    case AlarmSound::Kind::Silent:
        return;
    case AlarmSound::Kind::BuiltIn:
        m_output->start(m_builtIn.at(size_t(sound.builtIn)));
        return;
    case AlarmSound::Kind::File:
        break;
    }
    // A file on a slow or hanging file system must not stop the window.
    auto* watcher = new QFutureWatcher<WavReader::Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this,
            [this, watcher, request, path = sound.file] {
                watcher->deleteLater();
                if (request == m_request)
                    playRead(path, watcher->result());
            });
    watcher->setFuture(QtConcurrent::run(&WavReader::load, sound.file));
}

void PcmSoundPlayer::stop()
{
    ++m_request;
    m_output->stop();
}

void PcmSoundPlayer::playRead(const QString& path, const WavReader::Result& read)
{
    if (!read.pcm.isEmpty()) {
        m_output->start(read.pcm);
        return;
    }
    // Alarms repeat their sound: one line per file is enough.
    if (!m_reported.contains(path)) {
        m_reported.insert(path);
        qCWarning(lcSound).noquote()
            << QStringLiteral("Tondatei %1 nicht abspielbar: %2; stattdessen der Gong")
                   .arg(logText(path), read.problem);
    }
    m_output->start(m_builtIn.at(size_t(BuiltInSound::Gong)));
}
