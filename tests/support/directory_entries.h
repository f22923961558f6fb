// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "directories/directories.h"

// Directory entries as the list files would give them.
inline FiveToneReceiver receiver(const QString& code, const QString& name)
{
    FiveToneReceiver r;
    r.code.assign(code);
    r.name.assign(name);
    return r;
}

inline Vehicle vehicle(const QString& id, const QString& name)
{
    Vehicle v;
    v.fmsId.assign(id);
    v.name.assign(name);
    return v;
}

inline PocsagReceiver pager(std::int32_t address, const QString& name)
{
    PocsagReceiver p;
    p.address = address;
    p.name.assign(name);
    return p;
}
