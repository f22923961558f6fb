// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb.h"
#include "telegram/fms.h"

#include <QString>
#include <array>

// What an FMS status means and in which colour the message bar shows it.
// Colours 0-15 belong to the status of the same number; 16 and 17 serve
// the other kinds of telegram.
class StatusTables
{
public:
    static constexpr int FiveToneAndPocsagColour = 16;
    static constexpr int ToVehicleColour = 17;

    StatusTables(); // the built-in texts and colours

    const QString& text(int status, FmsDirection direction) const;
    void setText(int status, FmsDirection direction, const QString& text);
    Rgb colour(int index) const;
    // The colour of an FMS message line.
    Rgb lineColour(int status, FmsDirection direction) const;

private:
    std::array<std::array<QString, 2>, FmsStatus::Highest + 1> m_texts;
    std::array<Rgb, FmsStatus::Highest + 1> m_colours{};
};
