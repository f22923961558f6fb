// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb.h"

#include <QString>

// The four labels of the message bar, left to right.
enum class BarLabel
{
    Time,
    Line,
    RequestToSpeak,
    Speaking
};

// Which labels carry the newest information, in bold.
enum class BarEmphasis
{
    Message,        // the time and the message line
    RequestToSpeak, // the request-to-speak label
    Speaking        // the label of the vehicle that speaks
};

// What the telegram handlers and the list loaders do with the message bar.
class MessageBar
{
public:
    virtual ~MessageBar() = default;
    // Brings the bar up for a new message without taking the focus, or
    // restarts its display time when it is up already.
    virtual void bringUp() = 0;
    // Shown as given, as plain text.
    virtual void setCaption(BarLabel label, const QString& caption) = 0;
    virtual void setLineColour(Rgb colour) = 0;
    virtual void setEmphasis(BarEmphasis emphasis) = 0;
    // Places the labels side by side after their captions changed.
    virtual void layoutLabels() = 0;
    // Starts the hide timer anew with this interval; the bar stays as it is.
    virtual void armHideTimer(int milliseconds) = 0;
};
