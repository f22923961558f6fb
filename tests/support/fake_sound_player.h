// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/sound_player.h"

#include <QList>

// Remembers what it was asked to play and when it was stopped.
class FakeSoundPlayer final : public SoundPlayer
{
public:
    QList<AlarmSound> played;
    int stops = 0;

    void play(const AlarmSound& sound) override { played << sound; }
    void stop() override { ++stops; }
};
