#pragma once

#include "common/clock.h"

class FixedClock final : public Clock
{
public:
    QTime time{12, 34, 56};
    QTime currentTime() const override { return time; }
};
