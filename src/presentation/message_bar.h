#pragma once

#include "common/rgb.h"

#include <QString>

// The four labels of the message bar, left to right.
enum class BarLabel
{
    Time,
    Line,
    Sprechwunsch,
    Spricht
};

// What the telegram handlers and list loaders do with the message bar.
class MessageBar
{
public:
    virtual ~MessageBar() = default;
    // Captions follow the caption rule ("&&" shows one "&").
    virtual void setCaption(BarLabel label, const QString& caption) = 0;
    virtual void setLineColour(Rgb colour) = 0;
    virtual void setBold(BarLabel label, bool bold) = 0;
    virtual void ShowMessageBar() = 0;
    virtual void LayoutMessageBar() = 0;
    // Starts the hide timer anew with this interval; the bar stays as it is.
    virtual void armHideTimer(int milliseconds) = 0;

    // Marks the label with the newest information in bold, the others not.
    void setBoldOnly(bool time, bool line, bool sprechwunsch, bool spricht)
    {
        setBold(BarLabel::Sprechwunsch, sprechwunsch);
        setBold(BarLabel::Time, time);
        setBold(BarLabel::Line, line);
        setBold(BarLabel::Spricht, spricht);
    }
};
