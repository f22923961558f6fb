#pragma once

#include "fsk_audio.h"

#include <QProcess>
#include <QStringList>

// Runs a program on `input` and returns its standard output.
inline QByteArray run(const QString& program, const QStringList& arguments,
                      const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(15000);
    return process.readAllStandardOutput();
}

inline QByteArray framed(const QByteArray& audio)
{
    return silence(0.3) + audio + silence(0.3);
}

// 70 ms ZVEI1 tones made by sox; "E" is the repeat tone.
inline QByteArray fiveToneAudio(const QString& tones)
{
    const QList<int> hertz{2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 2600};
    QByteArray audio;
    for (const QChar tone : tones) {
        const int frequency = hertz[tone == u'E' ? 10 : tone.digitValue()];
        audio += run(u"sox"_qs,
                     {u"-n"_qs, u"-r"_qs, QString::number(AudioRate), u"-c"_qs, u"1"_qs, u"-b"_qs,
                      u"16"_qs, u"-e"_qs, u"signed"_qs, u"-t"_qs, u"raw"_qs, u"-"_qs, u"synth"_qs,
                      u"0.07"_qs, u"sine"_qs, QString::number(frequency)});
    }
    return framed(audio);
}
