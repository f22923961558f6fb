// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm_sound.h"

#include <QObject>

// Plays alarm sounds through the desktop's sound server, one at a time.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Stops whatever plays and plays this once. A file that cannot be
    // played gives the built-in gong instead. Silent stops and plays nothing.
    virtual void play(const AlarmSound& sound) = 0;
    virtual void stop() = 0;
};
