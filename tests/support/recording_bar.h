// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presentation/message_bar.h"

#include <array>
#include <optional>

// Keeps what the handlers write and counts the bring-up and layout calls.
struct RecordingBar final : MessageBar
{
    std::array<QString, 4> captions;
    std::optional<Rgb> lineColour;
    std::optional<BarEmphasis> emphasis;
    int bringUps = 0;
    int layouts = 0;
    std::optional<int> armed;

    QString caption(BarLabel label) const { return captions[std::size_t(label)]; }

    void bringUp() override { ++bringUps; }
    void setCaption(BarLabel label, const QString& caption) override
    {
        captions[std::size_t(label)] = caption;
    }
    void setLineColour(Rgb colour) override { lineColour = colour; }
    void setEmphasis(BarEmphasis e) override { emphasis = e; }
    void layoutLabels() override { ++layouts; }
    void armHideTimer(int milliseconds) override { armed = milliseconds; }
};
