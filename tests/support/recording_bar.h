#pragma once

#include "presentation/message_bar.h"

#include <QStringList>
#include <array>
#include <optional>

// Keeps what the handlers write and counts the show and layout calls.
class RecordingBar final : public MessageBar
{
public:
    std::array<QString, 4> captions;
    std::array<bool, 4> bold{};
    std::optional<Rgb> lineColour;
    int shows = 0;
    int layouts = 0;
    std::optional<int> armed;

    QString caption(BarLabel label) const { return captions[std::size_t(label)]; }
    // "TL.." style: which labels are bold, in the order time, line, SW, spricht.
    QString boldPattern() const
    {
        QString pattern;
        for (bool b : bold)
            pattern += b ? u'B' : u'-';
        return pattern;
    }

    void setCaption(BarLabel label, const QString& caption) override
    {
        captions[std::size_t(label)] = caption;
    }
    void setLineColour(Rgb colour) override { lineColour = colour; }
    void setBold(BarLabel label, bool b) override { bold[std::size_t(label)] = b; }
    void ShowMessageBar() override { ++shows; }
    void LayoutMessageBar() override { ++layouts; }
    void armHideTimer(int milliseconds) override { armed = milliseconds; }
};
