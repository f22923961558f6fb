// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decoder_line.h"
#include "multimon_program.h"
#include "network_access.h"
#include "receive_source.h"

#include <QString>
#include <QStringList>
#include <optional>

enum class FeedSource
{
    Demo,
    Replay,   // --replay FILE [--loop]
    Multimon, // --multimon [FILE|-] [--follow]
    Receive,  // --receive SOURCE: the feed runs the source and multimon-ng
};

struct FeedOptions
{
    FeedSource source = FeedSource::Demo;
    QString input; // the replay file, or multimon-ng's output ("-": standard input)
    bool loop = false;
    bool follow = false;
    ReceiveSource receive;
    QList<DecoderRun> decoders; // the multimon-ng runs of --receive
    bool realtime = false;
    qint64 repeatWindowMs = 10000;
    LineGuards guards;
    ListenAddress listen;
    AllowList allowed;
    bool quiet = false;
};

// The command line. Logs what is wrong with it and returns nothing; shows
// the help when no source or more than one is chosen. Alarm traffic is not
// served beyond a loopback address unless --allow names who may connect.
std::optional<FeedOptions> readFeedOptions(const QStringList& arguments);
