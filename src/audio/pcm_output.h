// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pcm.h"

// Where samples are played: the sound server, or a recorder in tests.
class PcmOutput
{
public:
    virtual ~PcmOutput() = default;
    // Stops what plays and plays these samples once.
    virtual void start(const Pcm& pcm) = 0;
    virtual void stop() = 0;
};
